#include "windows/LibraryFilter.h"

#include "platform/NameFolding.h"
#include "windows/NameLists.h"
#include "windows/TextConversions.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>

namespace quorvel {

LibraryFilter::LibraryFilter(QLineEdit* filter, QLabel* count, QListWidget* list)
    : QObject(filter)
    , filter_(filter)
    , count_(count)
    , list_(list) {
    connect(filter_, &QLineEdit::textChanged, this, &LibraryFilter::narrow);
    filter_->installEventFilter(this);
    list_->installEventFilter(this);
    auto* find = new QShortcut(QKeySequence::Find, filter_->window());
    connect(find, &QShortcut::activated, this, [this] {
        filter_->setFocus(Qt::ShortcutFocusReason);
        filter_->selectAll();
    });
}

void LibraryFilter::listRebuilt() {
    folded_.clear();
    folded_.reserve(std::size_t(list_->count()));
    for (int row = 0; row < list_->count(); ++row)
        folded_.push_back(SearchFolded(NameOfItem(list_->item(row))));
    narrow();
}

void LibraryFilter::listCleared() {
    folded_.clear();
    count_->clear();
}

// Rows change only where they must: a keystroke on 5,000 entries then costs a
// pass over the names, not a relayout of every row.
void LibraryFilter::narrow() {
    const std::string typed = SearchFolded(ToStdString(filter_->text()));
    int shown = 0;
    const int rows = std::min(list_->count(), int(folded_.size()));
    for (int row = 0; row < rows; ++row) {
        const bool hide = folded_[std::size_t(row)].find(typed) == std::string::npos;
        if (list_->isRowHidden(row) != hide)
            list_->setRowHidden(row, hide);
        shown += !hide;
    }
    if (const int current = list_->currentRow(); current >= 0 && list_->isRowHidden(current))
        list_->setCurrentRow(-1);
    showCount(shown);
}

void LibraryFilter::showCount(int shown) {
    count_->setText(QStringLiteral("%1 of %2").arg(shown).arg(folded_.size()));
}

// Down from the filter chooses the first entry shown, as a player who typed and
// saw the one wanted expects; the preview follows the choice.
void LibraryFilter::goToList() {
    list_->setFocus(Qt::TabFocusReason);
    if (list_->currentRow() >= 0)
        return;
    for (int row = 0; row < list_->count(); ++row)
        if (!list_->isRowHidden(row)) {
            list_->setCurrentRow(row);
            return;
        }
}

bool LibraryFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape && !filter_->text().isEmpty()) {
        filter_->clear();
        return true;
    }
    if (watched == filter_ && key == Qt::Key_Down) {
        goToList();
        return true;
    }
    return false;
}

} // namespace quorvel
