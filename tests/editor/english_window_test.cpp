// The window program in English: the main window and every dialog show their English captions,
// none of them cut short, and Help opens the English manual. The other tests run in Japanese,
// which each test here restores.
#include "output/fake_network.h"
#include "common/paths.h"
#include "dialogs/about_box.h"
#include "dialogs/extended_selection_dialog.h"
#include "dialogs/node_details_dialog.h"
#include "dialogs/options_dialog.h"
#include "editor/actions.h"
#include "dialogs/project_settings_dialog.h"
#include "dialogs/sound_properties_box.h"
#include "dialogs/step_colour_dialog.h"
#include "dialogs/step_time_dialog.h"
#include "editor/main_window.h"
#include "engine/fake_audio.h"
#include "gui_common/language.h"
#include "monitor/colour_monitor.h"
#include "remote/osc_builder.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QComboBox>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUdpSocket>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>

using ::testing::HasSubstr;
using ::testing::IsSupersetOf;

namespace {

// Every caption in top that its widget shows cut short: a button, label or group box narrower
// than its text, or a tab row wider than its tab widget.
std::vector<std::string> CutCaptions(const QWidget* top)
{
    std::vector<std::string> cut;
    auto narrow = [](const QWidget* w) { return w->isVisible() && w->width() < w->minimumSizeHint().width(); };
    for (const QAbstractButton* b : top->findChildren<QAbstractButton*>()) {
        const auto* tool = qobject_cast<const QToolButton*>(b);
        if (b->text().isEmpty() || !b->isVisible() || (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly))
            continue;
        // Buttons may stand at sizes of their own: their text has to fit beside the check mark.
        int needs = b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&'));
        if (qobject_cast<const QCheckBox*>(b) || qobject_cast<const QRadioButton*>(b))
            needs += b->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                     b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        else
            needs += 4;
        if (b->width() < needs)
            cut.push_back(b->text().toStdString() + " (" + std::to_string(b->width()) + " of " + std::to_string(needs) + " px)");
    }
    for (const QLabel* l : top->findChildren<QLabel*>())
        if (!l->text().isEmpty() && !l->wordWrap() && narrow(l))
            cut.push_back(l->text().toStdString());
    for (const QGroupBox* g : top->findChildren<QGroupBox*>())
        if (!g->title().isEmpty() && g->isVisible() && g->width() < g->fontMetrics().horizontalAdvance(g->title()) + 16)
            cut.push_back(g->title().toStdString());
    for (const QTabWidget* t : top->findChildren<QTabWidget*>())
        if (t->isVisible() && t->width() < t->tabBar()->sizeHint().width())
            cut.push_back(t->tabText(0).toStdString() + "...");
    return cut;
}

std::vector<std::string> Captions(const QWidget* top)
{
    std::vector<std::string> texts;
    for (const QAbstractButton* b : top->findChildren<QAbstractButton*>())
        texts.push_back(b->text().toStdString());
    for (const QLabel* l : top->findChildren<QLabel*>())
        texts.push_back(l->text().toStdString());
    for (const QGroupBox* g : top->findChildren<QGroupBox*>())
        texts.push_back(g->title().toStdString());
    for (const QTabWidget* t : top->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i)
            texts.push_back(t->tabText(i).toStdString());
    for (const QTabBar* t : top->findChildren<QTabBar*>())
        for (int i = 0; i < t->count(); ++i)
            texts.push_back(t->tabText(i).toStdString());
    return texts;
}

class EnglishWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(UseLanguage(Language::English)) << "the compiled English translation is missing";
        SetExeDir(dir.Path() + "/");
        std::ofstream(dir / "lumenrill.INI") << "";
        MainWindowOptions o;
        o.ExeDir = dir.Path() + "/";
        o.SettingsPath = dir / "lumenrill.INI";
        o.Audio = audio;
        o.Platform = net.Platform();
        o.OpenUrl = [this](const QUrl& url) { opened.push_back(url); };
        form = std::make_unique<MainWindow>(std::move(o));
        form->resize(1000, 700);
        form->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->Started(); }, 5000));
    }
    void TearDown() override
    {
        if (form)
            form->close();
        form.reset();
        UseLanguage(Language::Japanese);
    }

    TempDir dir;
    FakeNetwork net;
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>(SystemClock());
    std::vector<QUrl> opened;
    std::unique_ptr<MainWindow> form;
};

TEST_F(EnglishWindowTest, TheMainWindowSpeaksEnglishAndHelpOpensTheEnglishManual)
{
    std::vector<std::string> menus;
    for (const QAction* menu : form->menuBar()->actions())
        menus.push_back(menu->text().toStdString());
    EXPECT_EQ(menus, (std::vector<std::string>{"&File", "&Edit", "&Play", "&View", "&Settings", "&Help"}));
    std::vector<std::string> edit;
    for (const QAction* item : form->Menu("Edit1")->actions())
        edit.push_back(item->text().toStdString());
    EXPECT_THAT(edit, IsSupersetOf({"Cu&t", "Add &Step…", "&Undo", "&Extended Selection"}));
    EXPECT_THAT(form->findChild<QLabel*>("FirstRunHintText")->text().toStdString(), HasSubstr("File → New Project"));
    EXPECT_THAT(CutCaptions(form.get()), ::testing::IsEmpty());

    form->Menu("Help1")->actions().constFirst()->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("manual/en/index.html")) << opened[0].toString().toStdString();
    // The English manual has every section F1 can lead to, as the Japanese one has.
    std::ifstream manual(opened[0].toLocalFile().toStdString());
    const std::string html((std::istreambuf_iterator<char>(manual)), std::istreambuf_iterator<char>());
    for (const char* id : {"main-window", "file-menu", "edit-menu", "play-menu", "view-menu", "settings-menu",
                           "help-menu", "extended-selection"})
        EXPECT_THAT(html, HasSubstr(std::string("id=\"") + id + "\"")) << id;
}

// What the core says reaches the English window in English: an OSC command it does not
// know, in the status bar.
TEST_F(EnglishWindowTest, OscErrorsInTheStatusBarAreEnglish)
{
    ASSERT_TRUE(form->Session().Osc().SetPort(19931));
    QUdpSocket peer;
    const Datagram d = OscMessage("/lumenrill/bogus").Bytes();
    peer.writeDatagram(reinterpret_cast<const char*>(d.data()), qint64(d.size()), QHostAddress::LocalHost, 19931);
    QLabel* hint = form->Status(StatusPanel::Hint);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint->text().contains("ERR:"); }, 3000));
    EXPECT_EQ(hint->text().toStdString(), "OSC: bogus  ERR:Unknown address");
}

TEST_F(EnglishWindowTest, EveryDialogSpeaksEnglishWithNothingCutShort)
{
    struct Case {
        const char* name;
        std::function<QWidget*()> window;
        std::vector<std::string> captions;
    };
    const std::vector<Case> cases = {
        {"project settings", [&] { return form->ProjectDialog(); }, {"General", "DMX Patch", "Lead-in", "Run-out"}},
        {"step colour", [&] { return form->ColourDialog(); }, {"Standard", "User Palette", "Cancel"}},
        {"step time", [&] { return form->TimeDialog(); }, {"OK"}},
        {"extended selection", [&] { return form->SelectionDialog(); }, {"Hue/Saturation", "Exclude", "Reset"}},
        {"node details", [&] { return form->NodeDetails(); }, {}},
        {"sound properties", [&] { return form->SoundProperties(); }, {"Location:", "Modified:"}},
        {"about", [&] { return form->About(); }, {"Edit and play color light shows set to music (Art-Net DMX)"}},
        {"colour monitor", [&] { return form->Monitor(); }, {}},
    };
    const std::map<std::string, std::string> titles = {
        {"project settings", "Project Settings"}, {"step time", "Step Time"},
        {"extended selection", "Extended Selection"}, {"node details", "Node Details"},
        {"sound properties", "Sound File Properties"}, {"about", "About"}, {"colour monitor", "Color Monitor"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* window = c.window();
        ASSERT_NE(window, nullptr);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        if (const auto title = titles.find(c.name); title != titles.end()) {
            EXPECT_EQ(window->windowTitle().toStdString(), title->second);
        }
        EXPECT_THAT(Captions(window), IsSupersetOf(c.captions));
        EXPECT_THAT(CutCaptions(window), ::testing::IsEmpty());
        window->hide();
    }
}

// Qt's own texts speak the program's language: the save question's buttons read as its text does.
TEST_F(EnglishWindowTest, QtsOwnButtonsFollowTheLanguage)
{
    auto buttons = [] {
        QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        std::vector<std::string> texts;
        for (QAbstractButton* b : box.buttons())
            texts.push_back(b->text().remove('&').toStdString());
        return texts;
    };
    EXPECT_THAT(buttons(), ::testing::UnorderedElementsAre("Yes", "No", "Cancel"));
    ASSERT_TRUE(UseLanguage(Language::Japanese)) << "Qt's Japanese translation is missing";
    EXPECT_THAT(buttons(), ::testing::UnorderedElementsAre(HasSubstr("はい"), HasSubstr("いいえ"), HasSubstr("キャンセル")));
}

// The option dialog, in English, offers the language; the choice is stored for the next start.
TEST_F(EnglishWindowTest, TheOptionDialogOffersTheLanguageForTheNextStart)
{
    bool checked = false;
    QTimer::singleShot(0, form.get(), [&] {
        OptionsDialog* options = form->OptionDialog();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(options));
        EXPECT_EQ(options->windowTitle(), "Options");
        EXPECT_THAT(Captions(options), IsSupersetOf({"Display", "Shortcuts", "Advanced", "Language",
                                                     "Takes effect the next time Lumenrill starts", "Cancel"}));
        EXPECT_THAT(CutCaptions(options), ::testing::IsEmpty());
        auto* language = options->findChild<QComboBox*>("LanguageComboBox");
        EXPECT_EQ(language->currentText(), "Automatic (desktop language)");
        language->setCurrentIndex(language->findText("English"));
        options->findChild<QPushButton*>("OKBtn")->click();
        checked = true;
    });
    form->Actions().Trigger(Command::Options);
    ASSERT_TRUE(checked);
    form->close();
    form.reset();
    std::ifstream in(dir / "lumenrill.INI");
    const std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_THAT(ini, HasSubstr("Language=en"));
}

} // namespace
