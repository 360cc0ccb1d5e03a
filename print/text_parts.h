#pragma once

#include <QString>

#include <vector>

// What a text names, read from its characters and from lists: a company's name with its legal form, or an address
// with its units. Where a text breaks into two lines (japanese_text.h) goes by these parts first; a dictionary's words
// decide only inside what they leave.
namespace hz {

enum class PartKind {
    prefecture,   // 東京都, where a place follows it
    municipality, // a county, city, ward, town or village: 北佐久郡, 軽井沢町, 野々市市, 港北区
    oaza,         // 大字 or 字 with its name: 大字上横場, 字兼城
    town,         // the town, up to its 丁目 or lot number: 丸の内, 一番町, 麻布十番
    street,       // a Kyoto street: 烏丸通
    crossing,     // the street it crosses, with the direction from there: 七条下る, 烏丸西入ル
    choume,       // 二丁目
    lot,          // 七番三号, ７２１番地の１, ２－１－１, １３２３
    building,     // what follows an address's numbers: 東京ビルディング二十一階
    legalForm,    // 株式会社, 医療法人財団, ㈱
    name,         // the rest of a company's name
    branch,       // a branch or office after a form in the middle: 北海道支店
    facility,     // what a medical or welfare corporation runs, after its name in 会: 順和会‖山王病院附属クリニック
};

// The characters [start, end) of a text.
struct Span {
    qsizetype start;
    qsizetype end;
};

struct Part {
    PartKind kind;
    Span span;
};

struct TextParts {
    // The parts in order, covering the whole text, where it is a company's name with a legal form or an address;
    // none where it is neither. Blanks after a part belong to it.
    std::vector<Part> parts;
    // Every number with its 第 and its counter (第３回, 二十一階, 二丁目) and every lot number: each reads as one.
    std::vector<Span> numbers;
};

TextParts readParts(const QString &s);

// A digit, half or full width, or a kanji numeral.
bool isNumeral(QChar c);

} // namespace hz
