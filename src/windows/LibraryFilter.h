#pragma once

#include <QObject>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace quorvel {

// The filter over the main window's selection list: typing hides at once the
// entries whose names do not contain the text (case and accents folded), the
// count shows "n of N", and Escape in the filter or the list clears it. An entry
// chosen that the text hides is no longer chosen, so that Enter never installs an
// add-on the player cannot see. Ctrl+F goes to the filter, Down from it to the list.
class LibraryFilter : public QObject {
    Q_OBJECT
public:
    LibraryFilter(QLineEdit* filter, QLabel* count, QListWidget* list);

    // The list was filled afresh: its entries are narrowed by the text as it stands.
    void listRebuilt();
    // No category is on screen: nothing to count.
    void listCleared();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void narrow();
    void showCount(int shown);
    void goToList();

    QLineEdit* filter_;
    QLabel* count_;
    QListWidget* list_;
    std::vector<std::string> folded_; // each entry's name as the search compares it
};

} // namespace quorvel
