#include "bench/session.h"

#include "app/Form1.h"
#include "app/start.h"
#include "common/profile.h"
#include "company/Form2.h"
#include "core/records.h"
#include "platform/form.h"
#include "print/Form12.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"

#include <QtGlobal>

namespace hz::session {

int AutoServices::messageBox(const QString &prompt, int buttons, const QString &title) {
    shown.push_back({title, buttons, prompt});
    return buttons == mb::YesNo ? mb::Yes : mb::Ok;
}

Session::Session() {
    qputenv("HOJINZEI_DRIVE_C", driveC_.path().toUtf8());
    qputenv("HOJINZEI_DRIVE_A", driveA_.path().toUtf8());
    destroyAllForms();
    closeSharedHandle();
    resetProgramEnded();
    setServices(&svc);
}

Session::~Session() {
    destroyAllForms();
    closeSharedHandle();
    resetProgramEnded();
    setServices(nullptr);
}

bool Session::start() {
    if (!startProgram() || programHasEnded())
        return false;
    const bool onlyTheQuestion = svc.shown.size() == 1 && svc.shown[0].buttons == mb::YesNo &&
                                 svc.shown[0].title == QStringLiteral("使用上の注意");
    svc.shown.clear();
    return onlyTheQuestion;
}

bool Session::setPresetRates() {
    return userAction([] {
        press(form1().Command23);
        press(form18().Command3);
        press(form18().Command5);
    });
}

bool Session::registerSampleCompany(std::int32_t code) {
    return userAction([code] {
        press(form1().Command1);
        Form2 &f = form2();
        f.Text1.setText(QString::number(code));
        f.Text2.setText(QStringLiteral("ミホンショウジ"));
        press(f.Command1); // "㈱"
        f.Text3.setText(f.Text3.text() + QStringLiteral("見本商事"));
        f.Text13.setText(QStringLiteral("19"));
        f.Text14.setText(QStringLiteral("4"));
        f.Text15.setText(QStringLiteral("1"));
        press(f.Command3); // "事業年度": the year's end and the settlement date
        f.Text5.setText(QStringLiteral("東京都千代田区丸の内1-1-1"));
        f.Text12.setText(QStringLiteral("03-0000-0000"));
        f.Text6.setText(QStringLiteral("ミホンタロウ"));
        f.Text27.setText(QStringLiteral("見本太郎"));
        f.Text7.setText(QStringLiteral("東京都港区芝公園2-2-2"));
        f.Text8.setText(QStringLiteral("卸売業"));
        f.Text9.setText(QStringLiteral("麹町"));
        f.Text11.setText(QStringLiteral("10"));
        press(f.Command5); // "百万"
        f.Text38.setText(QStringLiteral("見本銀行"));
        f.Text39.setText(QStringLiteral("本店"));
        f.Text40.setText(QStringLiteral("1234567"));
        press(f.Command19); // "普通預金"
        f.Text44.setText(QStringLiteral("8"));
        f.Text45.setText(QStringLiteral("千代田区"));
        f.Text26.setText(QStringLiteral("千代田都税事務所"));
        f.Text24.setText(QStringLiteral("千代田区役所"));
        press(f.Command4); // "登録実行"
    });
}

bool Session::enterSampleIncome() {
    return userAction([] {
        press(form1().Command5);
        Form5 &f = form5();
        // 1 当期利益, 総額 and 留保; the other lines come from the schedules that own them.
        f.Text5.setText(QStringLiteral("10,000,000"));
        f.Text4.setText(QStringLiteral("10,000,000"));
        press(f.Command4); // pushes the income and the credits into Schedule 1's boxes
        press(form3().Command4);
        form3().show();
    });
}

QStringList Session::unexpectedBoxes(const QList<std::pair<QString, int>> &expected) {
    QStringList out;
    for (const AutoServices::Shown &b : svc.shown)
        if (!expected.contains(std::pair{b.title, b.buttons}))
            out << QStringLiteral("%1 (%2): %3").arg(b.title).arg(b.buttons).arg(b.prompt);
    svc.shown.clear();
    return out;
}

bool openPrintWindow() {
    return userAction([] {
        press(form1().Command18);
        Form12 &f = form12();
        f.Text58.setText(QStringLiteral("見本税理士"));
        f.Text59.setText(QStringLiteral("03-0000-1234"));
        f.Text21.setText(QStringLiteral("東京都中央区銀座1-1"));
        f.Text22.setText(QStringLiteral("012345"));
        f.Text23.setText(QStringLiteral("京橋"));
        press(f.Command15);
    });
}

void quietOffscreenWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (type == QtWarningMsg && message.startsWith(QStringLiteral("This plugin does not support")))
            return;
        previous(type, context, message);
    });
}

void writeSampleProfile(std::int32_t code) {
    CompanyProfileRecord rec;
    rec.companyCode = code;
    rec.capitalYen = 10'000'000;
    rec.periodStartYear = 19;
    rec.periodStartMonth = 4;
    rec.periodStartDay = 1;
    rec.periodEndYear = 20;
    rec.periodEndMonth = 3;
    rec.periodEndDay = 31;
    rec.nameKana = QStringLiteral("ミホンショウジ");
    rec.companyName = QStringLiteral("株式会社見本商事第%1").arg(code);
    rec.taxAddress = QStringLiteral("東京都千代田区丸の内1-1-1");
    rec.representativeKana = QStringLiteral("ミホンタロウ");
    rec.representativeAddress = QStringLiteral("東京都港区芝公園2-2-2");
    rec.businessType = QStringLiteral("卸売業");
    rec.taxOfficeName = QStringLiteral("麹町");
    rec.telephone = QStringLiteral("03-0000-0000");
    rec.settlementYear = 20;
    rec.settlementMonth = 5;
    rec.settlementDay = 13;
    rec.representativeName = QStringLiteral("見本太郎");
    writeProfile(code, rec);
}

} // namespace hz::session
