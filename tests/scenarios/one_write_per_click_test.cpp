// A click writes each record once, with what the click ends with.
//
// The chains save some records several times while the figures travel between the schedules. A kill (or a power
// cut) after any single write of a click must leave every file as it stood before the click or as the click leaves
// it, never with a figure of a pass half way; so the disk is read after every write of each chain and every file
// compared with both. Opening a company whose figures have settled, in a program just started, writes nothing.

#include "app/Form1.h"
#include "app/start.h"
#include "company/Form2.h"
#include "core/durability.h"
#include "platform/form.h"
#include "schedules/core/Form5.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form7.h"
#include "schedules/more/schedule5_2.h"
#include "tests/scenarios/two_companies.h"

#include <optional>

namespace hz::test {
namespace {

using Content = std::optional<QByteArray>;

Content contentOf(const Disk &disk, const QString &path) {
    const auto it = disk.find(path);
    return it == disk.end() ? Content() : Content(it->second);
}

class OneWritePerClick : public TwoCompanies {
protected:
    struct Watched {
        int writes = 0;
        // Each file found, after some write, in a state that is neither its state before the click nor after it.
        QStringList torn;
    };

    // Clicks with the disk read after every write of the click.
    Watched watch(const std::function<void()> &clicks) {
        const Disk before = readDisk();
        std::vector<Disk> states;
        setWriteObserver([&states](const QString &) { states.push_back(readDisk()); });
        clicks();
        setWriteObserver({});
        const Disk after = readDisk();
        Watched w;
        w.writes = int(states.size());
        for (std::size_t n = 0; n < states.size(); ++n) {
            Disk all = before;
            all.insert(states[n].begin(), states[n].end());
            all.insert(after.begin(), after.end());
            for (const auto &[path, bytes] : all) {
                const Content now = contentOf(states[n], path);
                if (now != contentOf(before, path) && now != contentOf(after, path))
                    w.torn << QStringLiteral("after write %1 of %2: %3").arg(n + 1).arg(states.size()).arg(path);
            }
        }
        return w;
    }

    // The rates changed since the companies' figures were saved: every chain that computes the taxes has figures to
    // carry through the schedules, pass after pass.
    void newRates() {
        QStringList l{"23", "31", "6", "7.4", "9.7", "6", "60000", "12.4", "140000"};
        for (const QString &t : reservedTail())
            l << u'"' + t + u'"';
        writeFile(QStringLiteral("c:\\法人税\\税率.txt"), lines(l));
    }
};

// Each chain on company 1, opened in a fresh program (or opened by the chain itself), with something new to carry
// through the schedules: what the user does before the click, and the click itself.
struct Chain {
    const char *name;
    std::function<void(ScriptedServices &)> before;
    std::function<void(ScriptedServices &)> click;
};

void PrintTo(const Chain &c, std::ostream *os) { *os << c.name; }

const Chain kChains[] = {
    {"opening", [](ScriptedServices &) { form1().Text1.setText(QStringLiteral("1")); },
     [](ScriptedServices &) { HzTest::click(form1().Command2); }}, // 会社呼出
    {"list", [](ScriptedServices &) { HzTest::click(form1().Command16); }, // 法人税の目次
     [](ScriptedServices &) { form1().List1.clickItem(0); }},
    {"registration",
     [](ScriptedServices &) {
         HzTest::click(form1().Command1); // 会社登録
         form2().Text100.setText(QStringLiteral("1"));
         HzTest::click(form2().Command7); // DATA
         form2().Text11.setText(QStringLiteral("30"));
     },
     [](ScriptedServices &svc) {
         svc.answer(mb::Ok);              // 同じコード名があります
         svc.answer(mb::Ok);              // 書き換えますか
         HzTest::click(form2().Command4); // 登録実行
     }},
    {"bulk input",
     [](ScriptedServices &svc) {
         form1().Text2.setText(kName1);
         svc.answer(mb::Yes); // the year's figures are there already: applied again
         HzTest::click(form1().Command19);
         form14().bulkFigureBox(1).setText(QStringLiteral("3,500,000"));
     },
     [](ScriptedServices &svc) {
         svc.answer(mb::Yes);
         HzTest::click(form14().Command1);
     }},
    {"schedule 4",
     [](ScriptedServices &) {
         HzTest::click(form1().Command5);
         form5().Text40.setText(QStringLiteral("45,000"));
         form5().Text38.setText(QStringLiteral("45,000"));
     },
     [](ScriptedServices &) { HzTest::click(form5().Command4); }}, // 計算実行
    {"schedule 5(2)",
     [](ScriptedServices &) {
         HzTest::click(form1().Command7);
         form7().cellBox(taxGridCell(6, 2))->setText(QStringLiteral("2,000"));
         form7().cellBox(taxGridCell(6, 5))->setText(QStringLiteral("2,000"));
     },
     [](ScriptedServices &) { HzTest::click(form7().Command19); }}, // 計算実行
    {"print", [](ScriptedServices &) {}, [](ScriptedServices &) { HzTest::click(form1().Command18); }},
};

class EveryChain : public OneWritePerClick, public ::testing::WithParamInterface<Chain> {};

// With rates changed since the company was opened, every chain has figures to carry, and writes; after each of its
// writes every file is as before the click or as after it.
TEST_P(EveryChain, AfterEveryWriteEachFileIsAsBeforeOrAsAfter) {
    writeDisk(prepared());
    destroyAllForms();
    closeSharedHandle();
    startProgram();
    if (std::string(GetParam().name) != "opening" && std::string(GetParam().name) != "list") {
        kChains[0].before(svc);
        kChains[0].click(svc);
    }
    newRates();
    GetParam().before(svc);
    const Watched w = watch([this] { GetParam().click(svc); });
    EXPECT_GT(w.writes, 0) << "the chain had nothing to write";
    EXPECT_EQ(w.torn, QStringList());
    EXPECT_TRUE(svc.answers.empty());
}

INSTANTIATE_TEST_SUITE_P(Chains, EveryChain, ::testing::ValuesIn(kChains), [](const auto &info) {
    std::string name = info.param.name;
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

// A company whose figures have settled, opened in a program just started (every window unloaded, nothing kept),
// from the menu's code box or from its list: nothing is written.
TEST_F(OneWritePerClick, OpeningASettledCompanyWritesNothing) {
    writeDisk(prepared());
    startProgram();
    kChains[0].before(svc);
    kChains[0].click(svc);
    const Disk settled = readDisk();
    for (const Chain &chain : {kChains[0], kChains[1]}) {
        SCOPED_TRACE(chain.name);
        destroyAllForms();
        closeSharedHandle();
        startProgram();
        chain.before(svc);
        const Watched w = watch([this, &chain] { chain.click(svc); });
        EXPECT_EQ(w.writes, 0);
        EXPECT_EQ(differences(settled, readDisk()), "");
    }
    EXPECT_EQ(shown(), std::vector<std::string>{});
}

} // namespace
} // namespace hz::test
