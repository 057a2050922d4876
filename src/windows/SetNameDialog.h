#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace quorvel {

// Asks for the name of an add-on set. A name no file system of the players can
// hold is refused while it is typed, the reason shown under the field and OK
// greyed. OK hands the name to `accepts`, which may keep the dialog open (the
// player would rather not replace a set). The dialog deletes itself when closed.
class SetNameDialog : public QDialog {
    Q_OBJECT
public:
    SetNameDialog(QWidget* parent, const QString& title, const QString& prompt, const QString& name,
                  std::function<bool(const std::string&)> accepts);

private:
    void nameChanged();
    void okClicked();

    QLineEdit* name_;
    QLabel* fault_;
    QDialogButtonBox* buttons_;
    std::function<bool(const std::string&)> accepts_;
};

} // namespace quorvel
