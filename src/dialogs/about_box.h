#pragma once
// AboutBox, the version box: the program's icon and name, "Version " and the version
// compiled into the program, one line about what it does, and OK.

#include <QDialog>

class QLabel;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    QLabel* ProductName() const { return productName_; }
    QLabel* Version() const { return version_; }

private:
    QLabel* productName_;
    QLabel* version_;
};
