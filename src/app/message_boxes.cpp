#include "app/message_boxes.h"

#include "gui_common/language.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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

Answer MessageBoxHandler::AskChoice(const std::string& text, const std::string& caption,
                                    const std::array<std::string, 3>& buttons)
{
    QMessageBox box(QMessageBox::Question, Q(caption), Q(text), QMessageBox::NoButton, parent_);
    QAbstractButton* first = box.addButton(Q(buttons[0]), QMessageBox::AcceptRole);
    QAbstractButton* second = box.addButton(Q(buttons[1]), QMessageBox::DestructiveRole);
    QPushButton* third = box.addButton(Q(buttons[2]), QMessageBox::RejectRole);
    box.setDefaultButton(qobject_cast<QPushButton*>(first));
    box.setEscapeButton(third);
    box.exec();
    if (box.clickedButton() == first)
        return Answer::Yes;
    return box.clickedButton() == second ? Answer::No : Answer::Cancel;
}

void MessageBoxHandler::Beep() { QApplication::beep(); }
