#include "print/fonts.h"
#include "print/japanese_text.h"
#include "print/pages.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <span>

namespace hz::test {
namespace {

// The text with "‖" where it may break between two parts of what it names, "|" between two words and "/" between
// two words of a katakana run.
QString marked(const QString &s) {
    const std::vector<BreakPlace> places = breakPlaces(s);
    QString out;
    for (qsizetype k = 0; k < s.size(); ++k) {
        if (places[std::size_t(k)] == BreakPlace::Parts)
            out += u'‖';
        else if (places[std::size_t(k)] == BreakPlace::Words)
            out += u'|';
        else if (places[std::size_t(k)] == BreakPlace::Katakana)
            out += u'/';
        out += s.at(k);
    }
    return out;
}

// A text as marked would mark it, and what kind of text it is.
struct MarkedText {
    const char *kind;
    const char16_t *text;
};

// Each text, without its marks, is marked as it is.
void expectMarked(std::span<const MarkedText> cases) {
    for (const MarkedText &c : cases) {
        const QString expected = QString::fromUtf16(c.text);
        const QString text = QString(expected).remove(u'‖').remove(u'|').remove(u'/');
        EXPECT_EQ(marked(text).toStdString(), expected.toStdString()) << c.kind;
    }
}

TEST(BreakPlaces, WordsAReaderReadsAsOneStayWhole) {
    const MarkedText cases[] = {
        // The dictionary splits a name it does not know a character a word: the characters make one word.
        {"hiragana names", u"社会福祉法人‖ちゅーりっぷ|保育園"},
        {"hiragana names", u"有限会社‖しょーとけーき|工房|きょうと"},
        {"hiragana names", u"有限会社‖きゃっつ|あい|どりーむ"},
        // Numerals, the 第 before them and the counter after them.
        {"numbers", u"第３回|定時|総会"},
        {"numbers", u"第6位"},
        // An address's units: prefecture, city, ward, town, county, 丁目 and lot number, each whole; a town and its
        // 丁目 read as one.
        {"addresses", u"神奈川県‖川崎市‖幸区‖堀川町‖五八〇番地"},
        {"addresses", u"静岡県‖浜松市‖中区‖板屋町‖一一一番地‖浜松|アクトタワー"},
        {"addresses", u"兵庫県‖神戸市‖中央区‖港島中町|六丁目"},
        {"addresses", u"埼玉県‖さいたま市‖大宮区‖桜木町|一丁目"},
        {"addresses", u"東京都‖千代田区‖丸の内|二丁目‖七番三号‖東京|ビルディング|二十一階"},
        {"addresses", u"東京都‖港区‖芝公園|四丁目‖2-8"},
        {"addresses", u"福岡県‖福岡市‖博多区‖博多駅前‖２－１－１"},
        {"addresses", u"長野県‖北佐久郡‖軽井沢町‖大字軽井沢‖１３２３番地"},
        {"addresses", u"千葉県‖千葉市‖美浜区‖中瀬|二丁目‖六番地一‖幕張|ビル"},
        {"addresses", u"中央区‖港島中町|六丁目‖神戸|商工|会議所"},
        // Place names the dictionary splits, and a unit whose name ends in its own mark.
        {"place names", u"神奈川県‖横浜市‖港北区‖新横浜|二丁目"},
        {"place names", u"北海道‖札幌市‖北区‖北八条西|五丁目"},
        {"place names", u"沖縄県‖島尻郡‖南風原町‖字兼城"},
        {"place names", u"石川県‖野々市市‖本町|三丁目"},
        {"place names", u"新潟県‖十日町市‖千歳町|三丁目"},
        {"place names", u"東京都‖荒川区‖町屋|二丁目"},
        // A Kyoto crossing with its direction.
        {"Kyoto", u"京都府‖京都市‖下京区‖烏丸通|七条下る‖東塩小路町‖７２１番地の１"},
        {"Kyoto", u"京都市‖中京区‖烏丸通|御池上る‖二条殿町"},
        {"Kyoto", u"京都市‖下京区‖四条通|烏丸西入ル‖函谷鉾町"},
        // Not an address: a word ending in 市 alone.
        {"not an address", u"都市|開発‖株式会社"},
        // A word of one character joins the word before it.
        {"one-character words", u"減価|償却|資産の|償却|超過額|（器具|及び|備品）"},
        {"one-character words", u"株式会社‖北陸|地域|産業|活性化|機構"},
        {"one-character words", u"貸倒|引当金繰入|限度|超過額"},
        {"one-character words", u"役員|給与の|損金|不算入額"},
        {"one-character words", u"代表|取締役の|配偶者の父|（義父）"},
        // Between the words of a katakana run that the dictionary knows, three characters or more each.
        {"katakana names", u"株式会社‖ヤマダ/デンキ/コンサルティング/サービス"},
        {"katakana names", u"コンサルティング/パートナーズジャパン"},
        {"katakana names", u"パナソニック/ホールディングス"},
        {"katakana names", u"ファーストリテイリング"},
        {"katakana names", u"ヒガシニホンソウゴウフドウサンコンサルティング"},
        {"katakana names", u"大阪|梅田|ツインタワーズ・|サウス|３５階"},
        {"letters", u"Class-A |ｶﾌﾞｼｷ"},
    };
    expectMarked(cases);
}

// Addresses as a reader reads them, whatever words the dictionary finds in them: a place whose name ends in its own
// unit, place names that hold a unit character at their start or inside, 大字 and 字 with the name after them, a
// Kyoto street with its crossing, a town that holds 番.
TEST(BreakPlaces, AnAddressBreaksBetweenTheUnitsAReaderReads) {
    const MarkedText cases[] = {
        {"a name that ends in its unit", u"石川県‖野々市市‖三納|一丁目‖１番地"},
        {"a name that ends in its unit", u"三重県‖四日市市‖諏訪町‖１番５号"},
        {"a name that ends in its unit", u"長野県‖大町市‖大町‖３８８７番地"},
        {"a name that ends in its unit", u"東京都‖羽村市‖緑ケ丘|一丁目‖１番地"},
        {"a name that ends in its unit", u"北海道‖余市郡‖余市町‖朝日町‖９４番地"},
        {"a name that ends in its unit", u"富山県‖中新川郡‖上市町‖湯上野‖１番地"},
        {"a name that ends in its unit", u"佐賀県‖杵島郡‖大町町‖大字大町‖５０１７番地"},
        {"a unit character inside a name", u"神奈川県‖横浜市‖港北区‖新横浜|二丁目"},
        {"a unit character inside a name", u"新潟県‖十日町市‖千歳町|三丁目"},
        {"a unit character inside a name", u"千葉県‖市川市‖八幡|二丁目‖１番１号"},
        {"a unit character inside a name", u"東京都‖町田市‖森野|二丁目‖２番２２号"},
        {"a unit character inside a name", u"愛知県‖名古屋市‖中村区‖名駅|四丁目‖１番１号"},
        {"a unit character inside a name", u"岐阜県‖郡上市‖八幡町島谷‖５２０番地"},
        {"a unit character inside a name", u"東京都‖東村山市‖本町|一丁目‖２番地"},
        {"a unit character inside a name", u"奈良県‖大和郡山市‖北郡山町‖２４８番地"},
        {"a unit character inside a name", u"山形県‖北村山郡‖大石田町‖大字大石田‖１２３番地"},
        {"a unit character inside a name", u"東京都‖荒川区‖町屋|二丁目"},
        {"a unit character inside a name", u"東京都‖新宿区‖市谷本村町‖５番１号"},
        {"大字 and 字", u"茨城県‖つくば市‖大字上横場‖２５０２番地"},
        {"大字 and 字", u"茨城県‖つくば市‖大字上横場‖２５０２"},
        {"大字 and 字", u"埼玉県‖入間郡‖三芳町‖大字上富‖１２３４番地"},
        {"大字 and 字", u"福島県‖田村郡‖三春町‖大字熊耳‖字大平‖１番地"},
        {"大字 and 字", u"沖縄県‖島尻郡‖南風原町‖字兼城‖５５５番地"},
        {"Kyoto streets", u"京都府‖京都市‖中京区‖河原町通|三条上る‖下丸屋町‖４０３番地"},
        {"Kyoto streets", u"京都市‖下京区‖堀川通|五条下る‖柿本町"},
        {"Kyoto streets", u"京都市‖下京区‖西洞院通|四条上る‖蟷螂山町"},
        {"Kyoto streets", u"京都市‖上京区‖寺町通|丸太町下ル‖信富町"},
        {"Kyoto streets", u"京都市‖上京区‖今出川通|烏丸東入‖相国寺門前町"},
        {"towns holding 番", u"宮城県‖仙台市‖青葉区‖一番町|四丁目‖１番１号"},
        {"towns holding 番", u"東京都‖港区‖麻布十番|二丁目‖３番４号"},
        {"towns holding 番", u"東京都‖港区‖麻布十番"},
        {"lot numbers", u"東京都‖千代田区‖丸の内|二丁目‖七番‖東京|ビル"},
        {"lot numbers", u"東京都‖港区‖芝公園‖３番"},
    };
    expectMarked(cases);
}

// Every legal form of Japanese law before a name, after it, or in the middle before a branch: the form reads as one,
// and the one place between the parts of the name is after it or before a trailing one; before a form in the middle
// a line breaks only where nothing else fits.
TEST(BreakPlaces, ALegalFormIsAPartOfTheNameAtItsStartOrEndOrBeforeABranch) {
    // clang-format off
    const char16_t *const forms[] = {
        u"株式会社", u"有限会社", u"合同会社", u"合資会社", u"合名会社", u"相互会社", u"特定目的会社",
        u"一般社団法人", u"一般財団法人", u"公益社団法人", u"公益財団法人", u"特定非営利活動法人", u"ＮＰＯ法人",
        u"NPO法人", u"社会福祉法人", u"学校法人", u"宗教法人", u"更生保護法人", u"職業訓練法人",
        u"医療法人", u"医療法人社団", u"医療法人財団", u"社会医療法人", u"社会医療法人社団", u"社会医療法人財団",
        u"税理士法人", u"監査法人", u"有限責任監査法人", u"弁護士法人", u"外国法事務弁護士法人",
        u"弁護士・外国法事務弁護士共同法人", u"司法書士法人", u"行政書士法人", u"社会保険労務士法人",
        u"土地家屋調査士法人", u"弁理士法人", u"特許業務法人",
        u"投資法人", u"有限責任事業組合", u"投資事業有限責任組合", u"農事組合法人", u"管理組合法人",
        u"独立行政法人", u"地方独立行政法人", u"国立大学法人", u"大学共同利用機関法人", u"認可地縁団体",
        u"農業協同組合", u"農業協同組合連合会", u"漁業協同組合", u"漁業協同組合連合会", u"水産加工業協同組合",
        u"生活協同組合", u"消費生活協同組合", u"事業協同組合", u"事業協同小組合", u"信用協同組合", u"協同組合",
        u"協同組合連合会", u"企業組合", u"協業組合", u"商工組合", u"商店街振興組合", u"森林組合", u"生産森林組合",
        u"技術研究組合", u"労働組合", u"信用金庫", u"信用組合", u"労働金庫",
        u"（株）", u"（有）", u"（同）", u"（資）", u"（名）", u"（医）", u"（福）", u"（学）", u"（宗）", u"（社）",
        u"（財）", u"（特非）", u"（一社）", u"（一財）", u"（公社）", u"（公財）", u"(株)", u"(有)", u"㈱", u"㈲"};
    // clang-format on
    const QString name = QStringLiteral("みなと総合商事");
    const QString branch = QStringLiteral("東京支社");
    for (const char16_t *f : forms) {
        const QString form = QString::fromUtf16(f);
        const struct {
            QString text;
            qsizetype formStart;
            qsizetype parts; // the one place between parts
        } placed[] = {
            {form + name, 0, form.size()},
            {name + form, name.size(), name.size()},
            {name + form + branch, name.size(), name.size() + form.size()},
        };
        for (const auto &p : placed) {
            SCOPED_TRACE(marked(p.text).toStdString());
            const std::vector<BreakPlace> places = breakPlaces(p.text);
            for (qsizetype k = 1; k < p.text.size(); ++k)
                EXPECT_EQ(places[std::size_t(k)] == BreakPlace::Parts, k == p.parts) << k;
            for (qsizetype k = p.formStart + 1; k < p.formStart + form.size(); ++k)
                EXPECT_LE(places[std::size_t(k)], BreakPlace::Anywhere) << k;
            if (p.formStart > 0 && p.parts != p.formStart) {
                EXPECT_LE(places[std::size_t(p.formStart)], BreakPlace::Anywhere);
            }
        }
    }

    const MarkedText cases[] = {
        // The dictionary splits the name after the form into words of one character, each joining the word before it:
        // never the form.
        {"a name the dictionary does not know", u"医療法人財団‖順和会‖山王|病院|附属|クリニック"},
        // A medical or welfare corporation's name ends in its 会, before what it runs; not the 会 of 社会.
        {"a corporation and its facility", u"社会医療法人財団‖董仙会‖恵寿|総合|病院"},
        {"a corporation and its facility", u"社会福祉法人‖大阪府|社会|福祉|協議会"},
        {"a name the dictionary does not know", u"社会医療法人財団‖董仙会"},
        {"a name the dictionary does not know", u"農事組合法人‖いわて|南部|ファーム"},
        {"before a branch", u"ＡＢＣ|ホールディングス株式会社‖北海道|支店"},
    };
    expectMarked(cases);
}

// A legal form or a place name inside a word is a word like any other: a form with no branch after it, a prefecture
// no place follows, a word that holds a unit character.
TEST(BreakPlaces, AFormOrAPlaceInsideAWordIsNoPart) {
    for (const char *s : {"日本株式会社研究所", "みなと有限会社商店", "東京都民銀行", "東京都民銀行ビル２－１",
                          "東京都市大学", "北海道銀行", "市町村民税", "都市開発", "第３回定時総会"}) {
        const std::vector<BreakPlace> places = breakPlaces(QString::fromUtf8(s));
        EXPECT_EQ(std::count(places.begin(), places.end(), BreakPlace::Parts), 0)
            << marked(QString::fromUtf8(s)).toStdString();
    }
}

// At every level of the choice, down to a text that fits nowhere but inside a word: no line begins with ー, a small
// kana, an iteration mark, a closing bracket or a point, and none ends with an opening bracket. Every other place
// between two characters is left to a text that fits nowhere else.
TEST(BreakPlaces, NoLineBeginsWithAMarkThatMayNotStartOne) {
    const QString mayNotBegin =
        QStringLiteral("ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々ゝゞヽヾ）」』】〕］｝〉》。、・．，？！");
    const QString mayNotEnd = QStringLiteral("（「『【〔［｛〈《");
    const QStringList texts = {
        QStringLiteral("社会福祉法人ちゅーりっぷ保育園"),
        QStringLiteral("有限会社しょーとけーき工房きょうと"),
        QStringLiteral("佐々木いすゞ商店ヽヾ"),
        QStringLiteral("（株）「みなと」、『サービス』。・ヴァイオリン！"),
        QStringLiteral("コンサルティングパートナーズジャパン"),
        QStringLiteral("ヶ月ァィゥェォヵ【本店】〔注〕"),
    };
    for (const QString &s : texts) {
        const std::vector<BreakPlace> places = breakPlaces(s);
        for (qsizetype k = 1; k < s.size(); ++k) {
            const bool forbidden = mayNotBegin.contains(s.at(k)) || mayNotEnd.contains(s.at(k - 1));
            EXPECT_EQ(places[std::size_t(k)] == BreakPlace::Never, forbidden)
                << "「" << s.left(k).toStdString() << "」/「" << s.mid(k).toStdString() << "」";
        }
    }
}

class JapaneseTextInBoxes : public HzTest {};

// Addresses and names, each with "|" where a reader may see it broken, in rooms of half and of three quarters of its
// width at 11 pt: two lines at one size, broken at one of those places; where a first line is given, broken there
// (the whole text: one line).
TEST_F(JapaneseTextInBoxes, TextsBreakWhereAReaderReadsTwoWordsInRoomsOfTwoWidths) {
    const struct {
        const char16_t *text;
        const char16_t *first[2] = {nullptr, nullptr}; // in the narrower room, in the wider one
    } cases[] = {
        {u"社会福祉法人|ちゅーりっぷ|保育園", {u"社会福祉法人", u"社会福祉法人"}},
        {u"有限会社|しょーとけーき|工房|きょうと"},
        {u"神奈川県|川崎市|幸区|堀川町|五八〇番地"},
        {u"幸区|堀川町|五八〇番地|川崎|ビル"},
        {u"静岡県|浜松市|中区|板屋町|一一一番地|浜松|アクトタワー"},
        {u"中央区|港島中町|六丁目|神戸|商工|会議所"},
        {u"静岡県|浜松市|中区|板屋町|一一一番地"},
        {u"兵庫県|神戸市|中央区|港島中町|六丁目"},
        {u"埼玉県|さいたま市|大宮区|桜木町|一丁目"},
        {u"減価|償却|資産の|償却|超過額|（器具|及び|備品）"},
        {u"株式会社|北陸|地域|産業|活性化|機構"},
        {u"貸倒|引当金|繰入|限度|超過額"},
        {u"役員|給与の|損金|不算入額"},
        // A katakana run breaks between its words where that prints the text a fifth larger than keeping it whole:
        // in the narrower room; in the wider one the whole run prints less than a fifth smaller.
        {u"株式会社|ヤマダデンキ|コンサルティング|サービス", {u"株式会社ヤマダデンキ", u"株式会社"}},
        {u"コンサルティング|パートナーズ|ジャパン", {u"コンサルティング", u"コンサルティング"}},
        {u"パナソニック|ホールディングス"},
        // A word that fits at no size on one line breaks inside, where a line may begin: 「しょーと」 or
        // 「コンピュー」, never a line that begins with ー.
        {u"しょーと|けーき", {u"しょーと", u"しょーとけーき"}},
        {u"コンピュー|ター", {u"コンピュー", u"コンピューター"}},
    };
    for (const auto &c : cases) {
        const QString withMarks = QString::fromUtf16(c.text);
        const auto [text, allowed] = unmarked(withMarks);
        const double width = textWidthMm(printFont(fontname::mincho, 11), text);
        for (int room = 0; room < 2; ++room) {
            const double share = room == 0 ? 0.5 : 0.75;
            SCOPED_TRACE(withMarks.toStdString() + " in " + std::to_string(share) + " of its width");
            const std::vector<PrintOp> lines = fittedAt11(text, {10, 10, 10 + share * width, 20});
            if (c.first[room] && QString::fromUtf16(c.first[room]) == text) {
                ASSERT_EQ(lines.size(), 1u);
                EXPECT_EQ(lines[0].text, text);
                continue;
            }
            ASSERT_EQ(lines.size(), 2u) << lines.front().text.toStdString() << " at " << lines.front().size << " pt";
            EXPECT_EQ(lines[0].text + lines[1].text, text);
            EXPECT_THAT(allowed, testing::Contains(lines[0].text.size()))
                << "「" << lines[0].text.toStdString() << "」/「" << lines[1].text.toStdString() << "」";
            EXPECT_EQ(lines[0].size, lines[1].size);
            if (c.first[room]) {
                EXPECT_EQ(lines[0].text, QString::fromUtf16(c.first[room]));
            }
        }
    }
}

// An opening bracket that begins a line of two stands without its blank half: its ink starts under the first line's,
// so the line does not look indented.
TEST_F(JapaneseTextInBoxes, AnOpeningBracketThatBeginsALineStandsWithoutItsBlankHalf) {
    for (const char *s : {"減価償却超過額（建物附属設備）", "役員給与の損金不算入額「使用人兼務」",
                          "山田商店『みなと本店』", "配偶者の父【義父】", "交際費等〔注記〕"}) {
        const QString text = QString::fromUtf8(s);
        SCOPED_TRACE(s);
        const double width = textWidthMm(printFont(fontname::mincho, 11), text);
        const std::vector<PrintOp> lines = fittedAt11(text, {10, 10, 10 + 0.6 * width, 20});
        ASSERT_EQ(lines.size(), 2u);
        ASSERT_TRUE(QStringLiteral("（「『【〔").contains(lines[1].text.front())) << lines[1].text.toStdString();
        const double em = lines[1].size * mmPerPoint;
        EXPECT_NEAR(inkRect(lines[1]).left(), inkRect(lines[0]).left(), 0.25 * em);
        EXPECT_GE(inkRect(lines[1]).left(), 10);
    }
}

// A text too long for its room even at 6 pt prints what fits, its first line ending where a line may end: here six
// characters would end it at 「有限会社しょ」 and begin the next with ー.
TEST_F(JapaneseTextInBoxes, ATextCutToWhatFitsBreaksWhereALineMayBegin) {
    const QString text = QStringLiteral("有限会社しょーとけーき工房きょうと").repeated(3);
    const double sixCharacters = textWidthMm(printFont(fontname::mincho, 6), text.left(6));
    const std::vector<PrintOp> lines = fittedAt11(text, {10, 10, 10 + sixCharacters + 0.01, 20});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, QStringLiteral("有限会社"));
    EXPECT_TRUE(text.startsWith(lines[0].text + lines[1].text));
}

// Names and addresses as filers type them, each with "|" at the places where a reader accepts its first line ending,
// in the rooms of 別表一 (納税地, 法人名), 別表二 (the shareholder's address and name) and the pages' 法人名 header:
// one line, or two broken at one of those places, never inside a lot number, a place name or beside a legal form.
TEST_F(JapaneseTextInBoxes, NamesAndAddressesBreakBetweenTheirPartsInThePagesRooms) {
    const struct {
        const char *page;
        const char *room;
        void (*put)(PrintData &, const QString &);
    } rooms[] = {
        {"別表一", "納税地", [](PrintData &d, const QString &s) { d.companyTexts[3] = s; }},
        {"別表一", "法人名", [](PrintData &d, const QString &s) { d.companyTexts[2] = s; }},
        {"別表二", "株主の住所",
         [](PrintData &d, const QString &s) {
             d.sched2Texts[2] = QStringLiteral("1");
             d.sched2Texts[3] = s;
         }},
        {"別表二", "株主の氏名",
         [](PrintData &d, const QString &s) {
             d.sched2Texts[2] = QStringLiteral("1");
             d.sched2Texts[4] = s;
         }},
        {"別表四", "法人名", [](PrintData &d, const QString &s) { d.companyTexts[2] = s; }},
    };
    const char16_t *const texts[] = {
        u"有限会社|きゃっつあいどりーむ",
        u"みなと総合商事|株式会社",
        u"医療法人社団|山田内科クリニック",
        u"特定非営利活動法人|みなと子ども食堂",
        u"（株）|みなとシステムズ",
        u"山田商店|㈲",
        u"東京都|千代田区|丸の内二丁目|七番三号|東京ビルディング二十一階",
        u"京都府|京都市|下京区|烏丸通七条下る|東塩小路町|７２１番地の１",
        u"神奈川県|横浜市|港北区|新横浜二丁目",
        u"愛知県|名古屋市|中区|栄三丁目|１５番２７号",
        u"北海道|札幌市|北区|北八条西五丁目|１番地",
        u"石川県|野々市市|本町|三丁目|１番１号",
        u"福岡県|福岡市|博多区|博多駅前|２－１－１",
        u"石川県|野々市市|三納|一丁目|１番地",
        u"京都府|京都市|中京区|河原町通|三条上る|下丸屋町|４０３番地",
        u"茨城県|つくば市|大字上横場|２５０２番地",
        u"埼玉県|入間郡|三芳町|大字上富|１２３４番地",
        u"宮城県|仙台市|青葉区|一番町|四丁目|１番１号",
        u"東京都|港区|麻布十番|二丁目|３番４号",
        u"東京|都民|銀行",
        u"農事組合法人|いわて南部ファーム",
        u"医療法人財団|順和会|山王病院附属クリニック",
        u"ＡＢＣホールディングス株式会社|北海道支店",
    };
    PageState state;
    for (const auto &room : rooms)
        for (const char16_t *t : texts) {
            const auto [text, allowed] = unmarked(QString::fromUtf16(t));
            SCOPED_TRACE(std::string(room.page) + " " + room.room + ": " + text.toStdString());
            PrintData data;
            room.put(data, text);
            const std::vector<PrintOp> lines =
                printedWhole(recordPage(QString::fromUtf8(room.page), data, state), text);
            ASSERT_FALSE(lines.empty());
            if (lines.size() == 2) {
                EXPECT_THAT(allowed, testing::Contains(lines[0].text.size()))
                    << "「" << lines[0].text.toStdString() << "」/「" << lines[1].text.toStdString() << "」 at "
                    << lines[0].size << " pt";
            }
        }
}

// On the pages: a company's name in 別表二's address and shareholder's columns, and 別表四's row names, the issue's
// texts as a filer types them.
TEST_F(JapaneseTextInBoxes, TheLongNamesOfTheFormsBreakBetweenWords) {
    const QString name = QStringLiteral("株式会社ヤマダデンキコンサルティングサービス");
    PrintData data;
    PageState state;
    data.sched2Texts[2] = QStringLiteral("1");
    data.sched2Texts[3] = name;
    data.sched2Texts[4] = name;
    const PrintJobLog two = recordPage(QStringLiteral("別表二"), data, state);
    // The lines of the name from the start of a column.
    const auto column = [&](double x) {
        std::vector<PrintOp> lines;
        for (const PrintOp &t : two.texts())
            if (std::abs(t.x - x) < 0.001 && !t.text.isEmpty() && name.contains(t.text))
                lines.push_back(t);
        return lines;
    };
    // The address column: 「株式会社」 over the rest would print at 6 pt.
    const std::vector<PrintOp> address = column(36);
    ASSERT_EQ(address.size(), 2u);
    EXPECT_EQ(address[0].text, QStringLiteral("株式会社ヤマダデンキ"));
    EXPECT_GE(address[0].size, 6 * 1.2);
    // The shareholder's column, between two words of the name.
    const std::vector<PrintOp> holder = column(78);
    ASSERT_EQ(holder.size(), 2u);
    EXPECT_EQ(holder[0].text + holder[1].text, name);
    EXPECT_THAT(
        (QStringList{"株式会社", "株式会社ヤマダ", "株式会社ヤマダデンキ", "株式会社ヤマダデンキコンサルティング"}),
        testing::Contains(holder[0].text));

    // 別表四's rows: never 償却超過|額, 繰|入, 不算|入額 or 引当|金.
    for (const char *row :
         {"減価償却資産の償却超過額（器具及び備品）", "貸倒引当金繰入限度超過額", "賞与引当金繰入額の損金不算入額"}) {
        PrintData four;
        four.schedule4RowNames[2] = QString::fromUtf8(row);
        const PrintJobLog job = recordPage(QStringLiteral("別表四"), four, state);
        const std::vector<PrintOp> lines = printedWhole(job, four.schedule4RowNames[2]);
        ASSERT_EQ(lines.size(), 2u) << row;
        EXPECT_FALSE(lines[1].text.startsWith(u'額') || lines[1].text.startsWith(u'入') ||
                     lines[1].text.startsWith(u'金'))
            << "「" << lines[0].text.toStdString() << "」/「" << lines[1].text.toStdString() << "」";
    }
}

} // namespace
} // namespace hz::test
