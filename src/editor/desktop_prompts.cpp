#include "editor/desktop_prompts.h"

#include "common/string_table.h"
#include "dialogs/step_colour_dialog.h"
#include "dialogs/step_time_dialog.h"
#include "gui_common/language.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

namespace {

QString ProjectFilter() { return CoreText(Msg::ProjectFile) + " (*.prj *.PRJ)"; }
QString GroupFilter() { return CoreText(Msg::StepFile) + " (*.grp *.GRP)"; }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The chosen file, or empty when the dialog was cancelled.
std::string Choose(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

} // namespace

std::string DesktopPrompts::SaveProjectPath(const std::string& fileName)
{
    QFileDialog dialog(&window_, QCoreApplication::translate("DesktopPrompts", "名前を付けて保存"), Q(fileName), ProjectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("PRJ");
    return Choose(dialog);
}

std::string DesktopPrompts::OpenProjectPath()
{
    QFileDialog dialog(&window_, CoreText(Msg::OpenProject), QString(), ProjectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("PRJ");
    return Choose(dialog);
}

std::string DesktopPrompts::SaveGroupPath()
{
    // The desktop's dialog asks before it overwrites a file.
    QFileDialog dialog(&window_, QString(), QString(), GroupFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("GRP");
    return Choose(dialog);
}

std::string DesktopPrompts::OpenGroupPath(const std::string& folder)
{
    QFileDialog dialog(&window_, QString(), Q(folder), GroupFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("GRP");
    return Choose(dialog);
}

void DesktopPrompts::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

std::optional<uint32_t> DesktopPrompts::StepColor(const std::string& caption, uint32_t color)
{
    colour_->setWindowTitle(Q(caption));
    colour_->Color = color;
    if (colour_->exec() != QDialog::Accepted)
        return std::nullopt;
    return colour_->Color;
}

std::optional<int64_t> DesktopPrompts::StepTime(int32_t time)
{
    time_->TimeValue = time;
    if (time_->exec() != QDialog::Accepted)
        return std::nullopt;
    return time_->TimeValue;
}

std::optional<std::string> DesktopPrompts::InputText(const std::string& caption, const std::string& prompt)
{
    bool ok = false;
    const QString text = QInputDialog::getText(&window_, Q(caption), Q(prompt), QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text.toStdString();
}
