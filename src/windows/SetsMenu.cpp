#include "windows/SetsMenu.h"

#include "library/AddonSets.h"
#include "library/SetPutBack.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "windows/LongOperation.h"
#include "windows/NameLists.h"
#include "windows/Prompts.h"
#include "windows/SetNameDialog.h"
#include "windows/TextConversions.h"

#include <QListWidget>
#include <QMenu>
#include <QShortcut>
#include <algorithm>
#include <optional>

namespace quorvel {
namespace {

constexpr std::size_t kLinesShown = 12;

QString quoted(const std::string& name) {
    return QStringLiteral("\"%1\"").arg(ToQString(name));
}

// A set's name as a menu item: "&" would underline the next letter.
QString menuText(const std::string& name) {
    return ToQString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString addonsText(const std::vector<AddonKey>& addons) {
    QStringList texts;
    for (const AddonKey& addon : addons)
        texts << AddonText(addon);
    return texts.join(QStringLiteral(", "));
}

// A set's add-ons as its menu item's tooltip: the first few, so that a large set
// gives a tooltip that fits the screen.
QString setTooltip(const std::vector<AddonKey>& addons) {
    const std::size_t shown = std::min(addons.size(), kLinesShown);
    QString text = addonsText({addons.begin(), addons.begin() + std::ptrdiff_t(shown)});
    if (addons.size() > shown)
        text += QStringLiteral(" ... and %1 more").arg(addons.size() - shown);
    return text;
}

QStringList notPutBackLines(const std::vector<AddonNotPutBack>& addons) {
    QStringList texts;
    for (const AddonNotPutBack& addon : addons)
        texts << AddonText(addon.addon) + QStringLiteral(": ") + ToQString(addon.why);
    return texts;
}

// What a Cancel left: the add-ons installed before are out whether or not the
// Cancel came while they were taken out, and the set's went in up to it.
QString stoppedText(const std::vector<AddonKey>& takenOut, const std::vector<AddonKey>& putBack) {
    QString text = QStringLiteral("Putting the set back stopped at your Cancel.");
    if (!takenOut.empty())
        text += QStringLiteral("\nThe add-ons installed before were taken out: %1.")
                    .arg(setTooltip(takenOut));
    return text +
           (putBack.empty()
                ? QStringLiteral("\nNone of the set went in.")
                : QStringLiteral("\nOf the set, these went in: %1.").arg(setTooltip(putBack)));
}

// At most kLinesShown lines, then how many more, so that the box stays on screen.
QString lines(const QStringList& all) {
    if (std::size_t(all.size()) <= kLinesShown)
        return all.join(QLatin1Char('\n'));
    return all.mid(0, qsizetype(kLinesShown)).join(QLatin1Char('\n')) +
           QStringLiteral("\n... and %1 more").arg(all.size() - qsizetype(kLinesShown));
}

} // namespace

SetsMenu::SetsMenu(QWidget* mainWindow, InstallationModel& model,
                   const std::array<QListWidget*, 7>& installedLists)
    : QObject(mainWindow)
    , mainWindow_(mainWindow)
    , model_(model)
    , installedLists_(installedLists) {
    for (QListWidget* list : installedLists) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->setToolTip(QStringLiteral("Right-click or the menu key: save the installed add-ons "
                                        "as a set (Ctrl+S), or put a set back (Ctrl+O)"));
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
            showMenu(list, list->viewport()->mapToGlobal(at));
        });
    }
    auto* save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), mainWindow);
    connect(save, &QShortcut::activated, this, &SetsMenu::saveInstalled);
    auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), mainWindow);
    connect(open, &QShortcut::activated, this, [this, installedLists] {
        QListWidget* under = installedLists[0];
        for (QListWidget* list : installedLists)
            if (list->hasFocus())
                under = list;
        showMenu(under, under->mapToGlobal(QPoint(0, under->height() / 2)));
    });
}

std::filesystem::path SetsMenu::folder() const {
    return SetsFolder(model_.paths().ProgramFolder);
}

QMenu* SetsMenu::menu(const QListWidget* list) {
    auto* menu = new QMenu(mainWindow_);
    menu->setObjectName(QStringLiteral("SetsMenu"));
    menu->setToolTipsVisible(true);
    offerFiles(menu, list);
    QAction* save = menu->addAction(QStringLiteral("Save installed add-ons as a set..."), this,
                                    &SetsMenu::saveInstalled);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save->setEnabled(!model_.installation().installed().inOrder().empty());
    const std::vector<std::string> sets = ListSets(folder());
    menu->addSection(QStringLiteral("Put back a set"));
    if (sets.empty())
        menu->addAction(QStringLiteral("No set saved yet"))->setEnabled(false);
    QMenu* renaming = new QMenu(QStringLiteral("Rename a set"), menu);
    QMenu* deleting = new QMenu(QStringLiteral("Delete a set"), menu);
    for (const std::string& name : sets) {
        QAction* item = menu->addAction(menuText(name), this, [this, name] { putBack(name); });
        // Read when the pointer rests on it: the menu opens on the names alone,
        // however many sets there are and however large.
        connect(
            item, &QAction::hovered, this,
            [this, item, name] { item->setToolTip(setTooltip(ReadSet(folder(), name).addons)); },
            Qt::SingleShotConnection);
        renaming->addAction(menuText(name), this, [this, name] { rename(name); });
        deleting->addAction(menuText(name), this, [this, name] { remove(name); });
    }
    menu->addSeparator();
    menu->addMenu(renaming)->setEnabled(!sets.empty());
    menu->addMenu(deleting)->setEnabled(!sets.empty());
    return menu;
}

// The chosen entry's files, as Ctrl+I and Shift+double-click show them.
void SetsMenu::offerFiles(QMenu* menu, const QListWidget* list) {
    const auto category = std::find(installedLists_.begin(), installedLists_.end(), list);
    const QListWidgetItem* item = list ? list->currentItem() : nullptr;
    if (category == installedLists_.end() || !item || !item->isSelected())
        return;
    const AddonKey addon{std::size_t(category - installedLists_.begin()), NameOfItem(item)};
    menu->addAction(QStringLiteral("Files of %1...").arg(AddonText(addon)), this,
                    [this, addon] { emit filesAsked(addon); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    menu->addSeparator();
}

void SetsMenu::showMenu(const QListWidget* list, const QPoint& globalPosition) {
    if (model_.busy())
        return;
    QMenu* shown = menu(list);
    shown->setAttribute(Qt::WA_DeleteOnClose);
    shown->popup(globalPosition);
}

void SetsMenu::saveInstalled() {
    const std::vector<AddonKey> installed = InstalledSet(model_.installation().installed());
    if (installed.empty()) {
        Prompts::tell(mainWindow_, QStringLiteral("No add-on is installed: a set is saved from "
                                                  "the add-ons installed now."));
        return;
    }
    auto* dialog = new SetNameDialog(
        mainWindow_, QStringLiteral("Save a set"),
        QStringLiteral("The %1 add-ons installed now, in the order they were installed:\n%2\n\n"
                       "Name of the set:")
            .arg(installed.size())
            .arg(addonsText(installed)),
        QString(), [this](const std::string& name) { return saveAs(name); });
    dialog->open();
}

bool SetsMenu::saveAs(const std::string& name) {
    const std::string replaced = SetReplacedBy(folder(), name);
    if (!replaced.empty() &&
        !Prompts::confirm(mainWindow_, QStringLiteral("There is a set %1 already. Replace it with "
                                                      "the add-ons installed now?")
                                           .arg(quoted(replaced))))
        return false;
    const SetSave saved = SaveSet(folder(), name, InstalledSet(model_.installation().installed()));
    if (!saved.done())
        Prompts::tell(mainWindow_, QStringLiteral("The set %1 was not saved: %2")
                                       .arg(quoted(name), ToQString(saved.why())));
    else if (!saved->leftOut.empty())
        Prompts::tell(mainWindow_, QStringLiteral("The set %1 is saved without these add-ons, "
                                                  "whose names hold a line break: %2")
                                       .arg(quoted(name), ToQString(FewNames(saved->leftOut))));
    return true;
}

// Every archive is looked up first: a set none of whose add-ons can go in takes
// nothing out, and one that can go in only partly asks before the setup goes.
// Then one step: Clear All and the set's add-ons in order, under one dialog whose
// Cancel lets the Clear All, or the add-on being installed, end and stops there.
void SetsMenu::putBack(const std::string& name) {
    if (model_.busy() || model_.refusesGameChange(mainWindow_))
        return;
    const SetReading reading = ReadSet(folder(), name);
    const SetArchives archives = CheckSetArchives(model_.paths(), reading.addons);
    if (!archives.present.empty() && !archives.missing.empty() &&
        !Prompts::confirm(
            mainWindow_,
            QStringLiteral("These add-ons of the set %1 cannot go in:\n%2\n\nPut back the other "
                           "%3? The add-ons installed now are taken out first.")
                .arg(quoted(name), lines(notPutBackLines(archives.missing)))
                .arg(archives.present.size())))
        return;
    const std::size_t alreadyTold = archives.present.empty() ? 0 : archives.missing.size();
    const std::vector<AddonKey> takenOut = InstalledSet(model_.installation().installed());
    emit puttingBack();
    model_.run(
        mainWindow_,
        {QStringLiteral("Putting back the set %1").arg(quoted(name)), QStringLiteral("Unzip"),
         QStringLiteral("Stopping: no more add-ons of the set go in")},
        [addons = reading.addons](Installation& installation, const ProgressReport& report,
                                  const CancelRequested& cancelled) {
            return PutBackSet(installation, addons, report, cancelled);
        },
        [this, name, reading, alreadyTold, takenOut](const std::optional<PutBackOutcome>& outcome) {
            if (outcome)
                tellNotPutBack(name, reading, *outcome, alreadyTold, takenOut);
        });
}

// One box for all that could not be put back, and for a stop at the player's
// Cancel; none when everything was. The first `alreadyTold` add-ons not put back
// were named in the question before.
void SetsMenu::tellNotPutBack(const std::string& name, const SetReading& reading,
                              const PutBackOutcome& outcome, std::size_t alreadyTold,
                              const std::vector<AddonKey>& takenOut) {
    QStringList parts;
    if (!outcome.done())
        parts << QStringLiteral("The set %1 was not put back: %2")
                     .arg(quoted(name), ToQString(outcome.why()));
    const std::vector<AddonNotPutBack> notTold(
        outcome->notPutBack.begin() +
            std::ptrdiff_t(std::min(alreadyTold, outcome->notPutBack.size())),
        outcome->notPutBack.end());
    if (!notTold.empty())
        parts << QStringLiteral("These add-ons of the set %1 could not be put back:\n")
                         .arg(quoted(name)) +
                     lines(notPutBackLines(notTold));
    QStringList problems;
    for (const std::string& problem : reading.problems)
        problems << ToQString(problem);
    for (const AddonKey& twice : outcome->namedTwice)
        problems << QStringLiteral("%1=%2: %3 is in the set twice, put back once")
                        .arg(ToQString(std::string(kAddonCategories.at(twice.category).folderName)),
                             ToQString(twice.name), ToQString(UpperCase(twice.name)));
    if (!problems.isEmpty())
        parts << QStringLiteral("In the file of the set, Quorvel passed over:\n") + lines(problems);
    if (outcome->stopped)
        parts << stoppedText(takenOut, outcome->putBack);
    if (parts.isEmpty())
        return;
    Prompts::tell(mainWindow_, parts.join(QStringLiteral("\n\n")));
}

void SetsMenu::rename(const std::string& name) {
    auto* dialog = new SetNameDialog(
        mainWindow_, QStringLiteral("Rename a set"),
        QStringLiteral("New name of the set %1:").arg(quoted(name)), ToQString(name),
        [this, name](const std::string& to) { return renameTo(name, to); });
    dialog->open();
}

bool SetsMenu::renameTo(const std::string& from, const std::string& to) {
    if (to == from)
        return true;
    const std::string replaced = SetReplacedBy(folder(), to);
    if (!replaced.empty() && replaced != from &&
        !Prompts::confirm(mainWindow_,
                          QStringLiteral("There is a set %1 already. Replace it with the set %2?")
                              .arg(quoted(replaced), quoted(from))))
        return false;
    if (const Outcome<> renamed = RenameSet(folder(), from, to); !renamed.done())
        Prompts::tell(mainWindow_, ToQString(renamed.why()));
    return true;
}

void SetsMenu::remove(const std::string& name) {
    if (!Prompts::confirm(mainWindow_, QStringLiteral("Delete the set %1? Its add-ons stay in the "
                                                      "library.")
                                           .arg(quoted(name))))
        return;
    if (const Outcome<> deleted = DeleteSet(folder(), name); !deleted.done())
        Prompts::tell(mainWindow_, ToQString(deleted.why()));
}

void SetsMenu::saveLastRun(QWidget* failureShownOn) {
    const SetSave saved = SaveLastRun(folder(), model_.installation().installed());
    if (!saved.done() && failureShownOn)
        Prompts::tell(failureShownOn,
                      QStringLiteral("The set %1 was not saved: %2")
                          .arg(quoted(std::string(kLastRunSetName)), ToQString(saved.why())));
}

} // namespace quorvel
