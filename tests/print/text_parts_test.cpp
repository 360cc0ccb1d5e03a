#include "print/text_parts.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace hz::test {
namespace {

// The names of PartKind, in its order.
constexpr const char *kindNames[] = {"prefecture", "municipality", "oaza",     "town",      "street", "crossing",
                                     "choume",     "lot",          "building", "legalForm", "name",   "branch",
                                     "facility"};

// The parts of s as "kind:text", one after another.
std::string described(const QString &s) {
    std::string out;
    for (const Part &p : readParts(s).parts)
        out += std::string(out.empty() ? "" : " ") + kindNames[int(p.kind)] + ":" +
               s.mid(p.span.start, p.span.end - p.span.start).toStdString();
    return out;
}

// What each part of a name or an address is: a place name whatever it holds (a number with 番, a unit character), a
// Kyoto street apart from the street it crosses, the numbers that end a town, and what follows them.
TEST(TextParts, TheReaderSaysWhatEachPartIs) {
    const struct {
        const char16_t *text;
        const char *parts;
    } cases[] = {
        {u"京都府京都市下京区烏丸通七条下る東塩小路町７２１番地の１",
         "prefecture:京都府 municipality:京都市 municipality:下京区 street:烏丸通 crossing:七条下る town:東塩小路町 "
         "lot:７２１番地の１"},
        {u"東京都港区麻布十番二丁目３番４号",
         "prefecture:東京都 municipality:港区 town:麻布十番 choume:二丁目 lot:３番４号"},
        {u"宮城県仙台市青葉区一番町四丁目１番１号仙台ビル２階",
         "prefecture:宮城県 municipality:仙台市 municipality:青葉区 town:一番町 choume:四丁目 lot:１番１号 "
         "building:仙台ビル２階"},
        {u"茨城県つくば市大字上横場２５０２", "prefecture:茨城県 municipality:つくば市 oaza:大字上横場 lot:２５０２"},
        {u"長野県北佐久郡軽井沢町大字軽井沢１３２３番地",
         "prefecture:長野県 municipality:北佐久郡 municipality:軽井沢町 oaza:大字軽井沢 lot:１３２３番地"},
        {u"東京都　千代田区丸の内２－７－３", "prefecture:東京都　 municipality:千代田区 town:丸の内 lot:２－７－３"},
        {u"丸の内二丁目七番三号東京ビルディング", "town:丸の内 choume:二丁目 lot:七番三号 building:東京ビルディング"},
        {u"ＡＢＣホールディングス株式会社北海道支店",
         "name:ＡＢＣホールディングス legalForm:株式会社 branch:北海道支店"},
        {u"株式会社　みなと商事", "legalForm:株式会社　 name:みなと商事"},
        {u"医療法人財団順和会山王病院附属クリニック",
         "legalForm:医療法人財団 name:順和会 facility:山王病院附属クリニック"},
        {u"社会福祉法人大阪府社会福祉協議会", "legalForm:社会福祉法人 name:大阪府社会福祉協議会"},
        {u"株式会社日本会計センター", "legalForm:株式会社 name:日本会計センター"},
        {u"東京都民銀行", ""},
        {u"第３回定時総会", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(described(QString::fromUtf16(c.text)), c.parts);
}

// A number with its 第 and its counter reads as one, and so does a lot number; the numerals after 番 belong to the next
// 丁目 where one follows.
TEST(TextParts, NumbersReadWithTheirCounters) {
    const struct {
        const char16_t *text;
        const char *numbers;
    } cases[] = {
        {u"第３回定時総会", "第３回"},      {u"東京ビル二十一階", "二十一階"},
        {u"麻布十番二丁目", "十番 二丁目"}, {u"二丁目七番三号", "二丁目 七番三号"},
        {u"六番地一幕張ビル", "六番地一"},  {u"博多駅前２－１－１", "２－１－１"},
    };
    for (const auto &c : cases) {
        const QString s = QString::fromUtf16(c.text);
        QStringList numbers;
        for (const Span &n : readParts(s).numbers)
            numbers.push_back(s.mid(n.start, n.end - n.start));
        EXPECT_EQ(numbers.join(u' ').toStdString(), c.numbers);
    }
}

} // namespace
} // namespace hz::test
