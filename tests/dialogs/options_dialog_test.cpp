// The option dialog's shortcut page, driven as a person does, over commands that are real
// actions of a window: what the keys do afterwards is what counts.
#include "dialogs/node_details_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/output_page.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The main window's side: its commands are actions of a window, in list order.
class WindowOptionHost final : public OptionHost {
public:
    WindowOptionHost()
    {
        for (const auto& [caption, key] : {std::pair{"コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C)},
                                           std::pair{"元に戻す(&U)", QKeySequence(Qt::CTRL | Qt::Key_Z)},
                                           std::pair{"貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V)}}) {
            auto* action = new QAction(caption, &window);
            action->setShortcut(key);
            window.addAction(action);
            actions.push_back(action);
        }
    }
    std::vector<std::pair<QString, QKeySequence>> Commands() const override
    {
        std::vector<std::pair<QString, QKeySequence>> commands;
        for (const QAction* action : actions)
            commands.emplace_back(action->text(), action->shortcut());
        return commands;
    }
    void SetShortcut(int command, const QKeySequence& key) override { actions[size_t(command)]->setShortcut(key); }
    int32_t OutputUniverse() const override { return 0; }
    void SetOutputUniverse(int32_t) override {}
    std::string LocalAddressText() const override { return "2.0.0.1"; }
    int32_t DisplayInterval() const override { return 50; }
    void SetDisplayInterval(int32_t) override {}
    int32_t OscPort() const override { return 9901; }
    void SetOscPort(int32_t) override {}
    bool NodeListChanged() const override { return false; }
    void SetNodeListChanged() override {}
    int FillNodeList(std::vector<std::string>&) override { return 0; }
    int NodeCount() const override { return 0; }
    std::optional<NodeEntry> Node(int) const override { return std::nullopt; }
    void Scan() override {}
    OutputConfig Output() const override { return output; }
    OutputCheck SetOutput(const OutputConfig& o) override
    {
        ++setOutputCalls;
        if (!refuse)
            return refuse;
        output = o;
        return {};
    }

    QWidget window;
    OutputConfig output;
    OutputCheck refuse;
    int setOutputCalls = 0;
    std::vector<QAction*> actions;
};

enum Command { Copy, Undo, Paste };

class OptionsDialogTest : public ::testing::Test {
protected:
    // Runs the dialog on its shortcut page; inside, does `act` and presses OK.
    void Run(const std::function<void()>& act)
    {
        QTimer::singleShot(0, &dialog, [&] {
            QTabBar* tabs = dialog.Pages()->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
            act();
            dialog.findChild<QPushButton*>("OKBtn")->click();
        });
        dialog.Execute({});
    }
    // Picks the command's line, the key by typing its name on the key box, Ctrl as given,
    // and presses the change button.
    void Assign(Command command, const char* keyName, bool ctrl)
    {
        QListWidget* list = dialog.ShortcutList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(command)).center());
        if (keyName)
            QTest::keyClicks(dialog.findChild<QComboBox*>("KeyComboBox"), keyName);
        auto* ctrlBox = dialog.findChild<QCheckBox*>("CtrlCheckBox");
        if (ctrlBox->isChecked() != ctrl)
            QTest::mouseClick(ctrlBox, Qt::LeftButton, {}, QPoint(4, ctrlBox->height() / 2));
        QTest::mouseClick(dialog.findChild<QPushButton*>("SKChgBtn"), Qt::LeftButton);
    }
    std::string Line(Command command) const { return dialog.ShortcutList()->item(command)->text().toStdString(); }
    // How often each command runs for key pressed in the main window.
    std::vector<int> Runs(const QKeySequence& key)
    {
        host.window.show();
        host.window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host.window));
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (QAction* action : host.actions)
            spies.push_back(std::make_unique<QSignalSpy>(action, &QAction::triggered));
        QTest::keyClick(&host.window, key[0].key(), key[0].keyboardModifiers());
        std::vector<int> runs;
        for (const auto& spy : spies)
            runs.push_back(int(spy->count()));
        return runs;
    }

    RecordingMessages messages;
    WindowOptionHost host;
    NodeDetailsDialog details;
    OptionsDialog dialog{host, details};
};

TEST_F(OptionsDialogTest, AKeyGivenToASecondCommandMovesThereWhenThePersonAgrees)
{
    const QKeySequence ctrlC(Qt::CTRL | Qt::Key_C);
    messages.answers = {Answer::No, Answer::Yes};
    Run([&] {
        Assign(Undo, "C", true);
        EXPECT_EQ(Line(Undo), "元に戻す(U)\tCtrl+Z") << "refused: nothing changes";
        Assign(Undo, "C", true);
        EXPECT_EQ(Line(Copy), "コピー(C)\t") << "taken from copy";
        EXPECT_EQ(Line(Undo), "元に戻す(U)\tCtrl+C");
    });
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(messages.entries[0].kind, "confirm");
    EXPECT_EQ(messages.entries[0].text, "Ctrl+C は「コピー(C)」で使われています。「元に戻す(U)」に移してもよいですか");
    EXPECT_TRUE(host.actions[Copy]->shortcut().isEmpty());
    EXPECT_EQ(Runs(ctrlC), (std::vector<int>{0, 1, 0})) << "Ctrl+C undoes";
    EXPECT_EQ(Runs(QKeySequence(Qt::CTRL | Qt::Key_V)), (std::vector<int>{0, 0, 1}));
}

TEST_F(OptionsDialogTest, NoKeyChosenGivesNoShortcut)
{
    Run([&] {
        auto* keys = dialog.findChild<QComboBox*>("KeyComboBox");
        EXPECT_EQ(keys->currentIndex(), -1);
        EXPECT_EQ(keys->currentText(), "");
        Assign(Paste, nullptr, true); // Ctrl alone is no key
        EXPECT_EQ(Line(Paste), "貼り付け(P)\t");
        Assign(Undo, "F5", false);
        EXPECT_EQ(Line(Undo), "元に戻す(U)\tF5");
    });
    EXPECT_TRUE(host.actions[Paste]->shortcut().isEmpty());
    EXPECT_EQ(host.actions[Undo]->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(messages.entries.empty());
}

// The output page: every refused value is named and nothing is applied, the dialog stays
// open; the system's refusal (an interface without an address) likewise; then OK applies
// all of it at once.
TEST_F(OptionsDialogTest, OutputPageRefusesBadValuesAndAppliesOnlyWholeSettings)
{
    host.output.Sacn.Cid = NewSacnCid();
    const OutputConfig before = host.output;
    bool closedEarly = false;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.Pages()->setCurrentWidget(dialog.Output());
        auto set = [&](const char* name, const char* text) {
            auto* edit = dialog.findChild<QLineEdit*>(name);
            edit->clear();
            QTest::keyClicks(edit, text);
        };
        auto ok = [&] {
            dialog.findChild<QPushButton*>("OKBtn")->click();
            closedEarly |= !dialog.isVisible();
        };
        dialog.findChild<QComboBox*>("ArtnetModeComboBox")->setCurrentIndex(2);
        dialog.findChild<QComboBox*>("SacnModeComboBox")->setCurrentIndex(2);
        set("SacnUnicastEdit", "2.0.0.2, 2.0.0.x");
        ok();
        set("SacnUnicastEdit", "2.0.0.2, 10.0.0.7");
        set("SacnUniverseEdit", "64000");
        ok();
        set("SacnUniverseEdit", "12");
        set("SacnPriorityEdit", "high");
        ok();
        set("SacnPriorityEdit", "180");
        dialog.findChild<QComboBox*>("SacnModeComboBox")->setCurrentIndex(1);
        set("SacnInterfaceEdit", "eth7");
        host.refuse = {OutputProblem::Interface, "eth7"};
        ok();
        EXPECT_EQ(dialog.Pages()->currentWidget(), dialog.Output());
        EXPECT_EQ(host.output.Artnet, before.Artnet) << "nothing half-applied";
        EXPECT_FALSE(closedEarly);
        host.refuse = {};
        dialog.findChild<QPushButton*>("OKBtn")->click();
    });
    EXPECT_TRUE(dialog.Execute({}));
    std::vector<std::string> errors;
    for (const auto& e : messages.entries)
        errors.push_back(e.text);
    EXPECT_EQ(errors, (std::vector<std::string>{"「2.0.0.x」はIPv4アドレスではありません",
                                                "sACNのユニバースは1～63999で指定してください: 「64000」",
                                                "sACNの優先度は0～200で指定してください: 「high」",
                                                "インターフェース「eth7」にはIPv4アドレスがありません"}));
    EXPECT_EQ(host.setOutputCalls, 2) << "only whole, checked settings reach the system";
    EXPECT_EQ(host.output.Artnet.Mode, ArtnetMode::Unicast);
    EXPECT_EQ(host.output.Sacn.Mode, SacnMode::Multicast);
    EXPECT_EQ(host.output.Sacn.Universe, 12);
    EXPECT_EQ(host.output.Sacn.Priority, 180);
    EXPECT_EQ(host.output.Sacn.Unicast, (std::vector<uint32_t>{0x02000002, 0x0A000007}));
    EXPECT_EQ(host.output.Sacn.Interface, "eth7");
    EXPECT_EQ(host.output.Sacn.Cid, before.Sacn.Cid) << "the CID stays";
}

} // namespace
