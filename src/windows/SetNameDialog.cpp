#include "windows/SetNameDialog.h"

#include "library/AddonSets.h"
#include "windows/TextConversions.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

SetNameDialog::SetNameDialog(QWidget* parent, const QString& title, const QString& prompt,
                             const QString& name, std::function<bool(const std::string&)> accepts)
    : QDialog(parent)
    , name_(new QLineEdit(name, this))
    , fault_(new QLabel(this))
    , buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
    , accepts_(std::move(accepts)) {
    setObjectName(QStringLiteral("SetNameDialog"));
    setWindowTitle(QStringLiteral("EUROPEAN AIR WAR Quorvel v1.0 - ") + title);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    auto* label = new QLabel(prompt, this);
    label->setObjectName(QStringLiteral("SetPrompt"));
    label->setWordWrap(true);
    name_->setObjectName(QStringLiteral("SetName"));
    name_->selectAll();
    fault_->setObjectName(QStringLiteral("SetNameFault"));
    fault_->setWordWrap(true);
    fault_->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(name_);
    layout->addWidget(fault_);
    layout->addWidget(buttons_);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    connect(name_, &QLineEdit::textChanged, this, &SetNameDialog::nameChanged);
    connect(buttons_, &QDialogButtonBox::accepted, this, &SetNameDialog::okClicked);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    nameChanged();
}

// An empty field only greys OK: the player has not typed anything wrong yet.
void SetNameDialog::nameChanged() {
    const std::string fault = SetNameFault(ToStdString(name_->text()));
    fault_->setText(name_->text().isEmpty() ? QString() : ToQString(fault));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(fault.empty());
}

void SetNameDialog::okClicked() {
    if (accepts_(ToStdString(name_->text())))
        accept();
}

} // namespace quorvel
