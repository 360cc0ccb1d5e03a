#include "print/fonts.h"
#include "print/japanese_text.h"
#include "print/pages.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

namespace hz::test {
namespace {

// The text with "|" where it may break between two words and "/" between two words of a katakana run.
QString marked(const QString &s) {
    const std::vector<BreakPlace> places = breakPlaces(s);
    QString out;
    for (qsizetype k = 0; k < s.size(); ++k) {
        if (places[std::size_t(k)] == BreakPlace::Words)
            out += u'|';
        else if (places[std::size_t(k)] == BreakPlace::Katakana)
            out += u'/';
        out += s.at(k);
    }
    return out;
}

TEST(BreakPlaces, WordsAReaderReadsAsOneStayWhole) {
    const struct {
        const char *kind;
        const char16_t *text;
    } cases[] = {
        // The dictionary splits a name it does not know a character a word: the characters make one word.
        {"hiragana names", u"社会|福祉|法人|ちゅーりっぷ|保育園"},
        {"hiragana names", u"有限|会社|しょーとけーき|工房|きょうと"},
        // Numerals, the 第 before them and the counter after them.
        {"numbers", u"神奈川県|川崎市幸区|堀川町|五八〇番地"},
        {"numbers", u"静岡県|浜松市|中区|板屋町|一一一番地"},
        {"numbers", u"兵庫県|神戸市|中央区|港島中町|六丁目"},
        {"numbers", u"埼玉県|さいたま市|大宮区|桜木町|一丁目"},
        {"numbers", u"東京都|千代田区|丸の内|二丁目|７番|３号"},
        {"numbers", u"第３回|定時|総会"},
        {"numbers", u"第6位"},
        // A word of one character joins the word before it.
        {"one-character words", u"減価|償却|資産の|償却|超過額|（器具|及び|備品）"},
        {"one-character words", u"株式会社|北陸|地域|産業|活性化|機構"},
        {"one-character words", u"貸倒|引当金繰入|限度|超過額"},
        {"one-character words", u"役員|給与の|損金|不算入額"},
        {"one-character words", u"代表|取締役の|配偶者の父|（義父）"},
        // Between the words of a katakana run that the dictionary knows, three characters or more each.
        {"katakana names", u"株式会社|ヤマダ/デンキ/コンサルティング/サービス"},
        {"katakana names", u"コンサルティング/パートナーズジャパン"},
        {"katakana names", u"パナソニック/ホールディングス"},
        {"katakana names", u"ファーストリテイリング"},
        {"katakana names", u"ヒガシニホンソウゴウフドウサンコンサルティング"},
        {"katakana names", u"大阪|梅田|ツインタワーズ・|サウス|３５階"},
        {"letters", u"Class-A |ｶﾌﾞｼｷ"},
    };
    for (const auto &c : cases) {
        const QString expected = QString::fromUtf16(c.text);
        const QString text = QString(expected).remove(u'|').remove(u'/');
        EXPECT_EQ(marked(text), expected) << c.kind;
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
