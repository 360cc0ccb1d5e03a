#pragma once

#include <QString>

namespace hz {

// Every failure an action can trap is one of these; the description is the text the user sees in the error box.
class Error {
public:
    explicit Error(QString description) : description_(std::move(description)) {}
    const QString &description() const { return description_; }
    // The record a failure to read one is about (its Windows path); empty for every other failure. A box that
    // names the record once in a user action is enough, however many windows of the action meet it.
    const QString &record() const { return record_; }
    Error &aboutRecord(QString windowsPath) {
        record_ = std::move(windowsPath);
        return *this;
    }

    static Error overflow() { return Error(QStringLiteral("オーバーフローしました。")); }
    static Error typeMismatch() { return Error(QStringLiteral("型が一致しません。")); }
    static Error divisionByZero() { return Error(QStringLiteral("0 で除算しました。")); }
    static Error indexOutOfRange() { return Error(QStringLiteral("インデックスが有効範囲にありません。")); }
    static Error fileNotFound() { return Error(QStringLiteral("ファイルが見つかりません。")); }
    static Error pathNotFound() { return Error(QStringLiteral("パスが見つかりません。")); }
    static Error fileAlreadyOpen() { return Error(QStringLiteral("ファイルは既に開かれています。")); }
    static Error pastEndOfFile() { return Error(QStringLiteral("ファイルにこれ以上データがありません。")); }
    static Error cannotWrite() { return Error(QStringLiteral("書き込みできません。")); }
    static Error unencodable() { return Error(QStringLiteral("保存できない文字が含まれています。")); }
    // A sign code page 932 writes as an ASCII byte that reads back as another: names the text as typed, the sign
    // and the full-width one to type instead.
    static Error readsBackAsAnother(const QString &text, QChar sign, QChar instead) {
        return Error(QStringLiteral("「%1」の「%2」は保存できません。全角の「%3」を入力してください。")
                         .arg(text, QString(sign), QString(instead)));
    }
    static Error fileExists() { return Error(QStringLiteral("ファイルは既に存在します。")); }
    static Error badPath() { return Error(QStringLiteral("パス名が無効です。")); }
    // A file that is no record this program writes: bytes that are not code page 932, or a line longer than any
    // value it writes.
    static Error badFileFormat() { return Error(QStringLiteral("ファイル形式が不正です。")); }

private:
    QString description_;
    QString record_;
};

} // namespace hz
