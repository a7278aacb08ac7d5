#include "app/message_boxes.h"

#include "gui_common/language.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace {
// Texts arrive as the core wrote them; a whole text the translation knows is shown translated.
QString Q(const std::string& s) { return CoreText(s.c_str()); }
} // namespace

void MessageBoxHandler::ShowError(const std::string& text, const std::string& caption)
{
    QMessageBox::critical(parent_, Q(caption), Q(text));
}

bool MessageBoxHandler::ConfirmYesNo(const std::string& text, const std::string& caption)
{
    return QMessageBox::question(parent_, Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Answer MessageBoxHandler::AskYesNoCancel(const std::string& text, const std::string& caption)
{
    switch (QMessageBox::question(parent_, Q(caption), Q(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void MessageBoxHandler::Beep() { QApplication::beep(); }
