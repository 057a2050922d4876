#include "windows/Principal.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "ui_Principal.h"
#include "windows/About.h"
#include "windows/CategoryControls.h"
#include "windows/ChildWindow.h"
#include "windows/Deleteaddon.h"
#include "windows/EAWFolder.h"
#include "windows/GameSession.h"
#include "windows/Help.h"
#include "windows/LibraryDropTarget.h"
#include "windows/LongOperation.h"
#include "windows/NameLists.h"
#include "windows/Newaddon.h"
#include "windows/ProgramPictures.h"
#include "windows/Prompts.h"
#include "windows/SetsMenu.h"
#include "windows/Settings.h"
#include "windows/TextConversions.h"
#include "windows/WindowPlacement.h"

#include <QWindow>

namespace fs = std::filesystem;

namespace quorvel {

Principal::Principal(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Principal>())
    , model_([this](const fs::path& folder) { return holdForRecovery(folder); })
    , windowsOver_(new WindowsOverMain(this)) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Graphics and sounds cross: their buttons are Command6 and Command5.
    categoryButtons_ = {ui->Command1, ui->Command2, ui->Command3, ui->Command4,
                        ui->Command6, ui->Command5, ui->Command7};
    installedLists_ = {ui->List1, ui->List2, ui->List3, ui->List4, ui->List5, ui->List6, ui->List7};
    for (std::size_t category = 0; category < kCategoryCount; ++category) {
        connect(categoryButtons_[category], &QAbstractButton::clicked, this,
                [this, category] { chooseCategory(category); });
        QListWidget* list = installedLists_[category];
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list, category] {
            if (const QListWidgetItem* item = list->currentItem(); item && item->isSelected())
                MOSTRAR(model_.paths().CategoryFolder[category], NameOfItem(item));
        });
        OnDoubleClickOrEnter(list, [this, category] { installedList_DblClick(category); });
    }
    sets_ = new SetsMenu(this, model_, installedLists_);
    connect(sets_, &SetsMenu::puttingBack, this, &Principal::resetPreview);
    connect(sets_, &SetsMenu::filesAsked, this,
            [this](const AddonKey& addon) { showAddonFiles(addon, true); });
    connect(&model_, &InstallationModel::changed, this, &Principal::redraw);
    connect(ui->List8, &QListWidget::itemSelectionChanged, this, &Principal::List8_Click);
    OnDoubleClickOrEnter(ui->List8, [this] { List8_DblClick(); });
    connect(ui->Command13, &QAbstractButton::clicked, this, [this] {
        if (!model_.refusesGameChange(this))
            BORRARTODO();
    });
    connect(ui->Command10, &QAbstractButton::clicked, this, &Principal::BORRARINI);
    connect(ui->Command8, &QAbstractButton::clicked, this, [this] {
        if (!model_.refusesGameChange(this))
            openWindow(new EAWFolder(this), false);
    });
    // The game reads EAW.INI as it starts and may write it back as it ends: a change
    // made meanwhile would not reach it and could be lost, so the settings wait too.
    connect(ui->Command9, &QAbstractButton::clicked, this, [this] {
        if (!model_.refusesGameChange(this))
            openWindow(new Settings(model_, this), false);
    });
    connect(ui->Command11, &QAbstractButton::clicked, this, [this] {
        auto* window = new Newaddon(model_, this);
        connect(window, &Newaddon::libraryChanged, this, &Principal::libraryChanged);
        openWindow(window, false);
    });
    // The delete window is the one that leaves the main window usable; a second
    // press brings the open one forward.
    connect(ui->Command12, &QAbstractButton::clicked, this, [this] {
        if (deleteWindow_) {
            deleteWindow_->showNormal();
            deleteWindow_->raise();
            deleteWindow_->activateWindow();
            return;
        }
        auto* window = new Deleteaddon(model_, this);
        connect(window, &Deleteaddon::libraryChanged, this, &Principal::libraryChanged);
        deleteWindow_ = window;
        openWindow(window, true);
    });
    connect(ui->Command14, &QAbstractButton::clicked, this,
            [this] { openWindow(new Help(this), false); });
    // A click gives a button that opens a window the focus, as Tab does, so that
    // the focus comes back to it when the window closes.
    for (QAbstractButton* opener :
         {ui->Command8, ui->Command9, ui->Command11, ui->Command12, ui->Command14, ui->Command15})
        opener->setFocusPolicy(Qt::StrongFocus);
    auto* drop = new LibraryDropTarget(this, model_, [this] { return category_; });
    connect(drop, &LibraryDropTarget::libraryChanged, this, &Principal::libraryChanged);
    connect(ui->Command15, &QAbstractButton::clicked, this,
            [this] { openWindow(new About(this), false); });
    connectLibrarySide();
    connectPlay();
    PlaceFixedCentred(this);
    Form_Load();
}

Principal::~Principal() {
    for (const QPointer<QWidget>& window : openWindows_)
        delete window.data();
}

void Principal::Form_Load() {
    showGameFolder();
    ShowLogo(ui->Image1);
    ui->Text1->setPlainText(QStringLiteral("Welcome to Quorvel v1.0"));
}

// The field shows the folder the program acts on, never a folder only stored.
void Principal::showGameFolder() {
    ui->Text2->setText(ToQString(NameText(model_.paths().GameFolder)));
    ui->Command17->setEnabled(!model_.paths().GameFolder.empty());
    ui->Command16->setEnabled(!game_->running() && !model_.paths().GameFolder.empty());
}

// After every change of the Installation: the lists and the game folder as it
// holds them now; the list on disk that could not follow is told once.
void Principal::redraw() {
    drawInstalled();
    PONENLISTA();
    showGameFolder();
    tellLedgerFailure();
}

// The installed lists as the Installation holds them, in install order; an entry's
// tooltip names the add-ons whose files it replaced, and the game's own files
// kept for it.
void Principal::drawInstalled() {
    for (QListWidget* list : installedLists_)
        list->clear();
    for (const InstalledAddon& addon : model_.installation().installed().inOrder()) {
        QListWidgetItem* entry = AddNameItem(installedLists_.at(addon.key.category), addon.key.name,
                                             ToQString(UpperCase(addon.key.name)));
        QStringList tip;
        if (!addon.replaced.empty())
            tip << QStringLiteral("Replaced files of: ") + ToQString(addon.replaced);
        if (const auto kept = model_.installation().keptFor(addon.key); !kept.empty())
            tip << QStringLiteral("The game's own files kept for it: ") + ToQString(FewNames(kept));
        tip << QStringLiteral("Double-click or Enter: uninstall. Shift+double-click, Ctrl+I or "
                              "the right button: the files it holds.");
        entry->setToolTip(tip.join(QLatin1Char('\n')));
    }
}

// After an operation and its drawing: the list on disk that could not follow is
// told once.
void Principal::tellLedgerFailure() {
    if (const std::string failure = model_.takeLedgerFailure(); !failure.empty())
        Prompts::tell(this, ToQString(failure));
}

// Installs the chosen add-on. Afterwards no entry of the selection list is chosen:
// the preview keeps the installed add-on, and Enter does nothing until the player
// chooses again.
void Principal::List8_DblClick() {
    const QListWidgetItem* chosen = ui->List8->currentItem();
    if (!category_ || !chosen || !chosen->isSelected() || model_.refusesGameChange(this))
        return;
    const std::size_t category = *category_;
    const std::string name = NameOfItem(chosen);
    ui->List8->setCurrentRow(-1);
    model_.run(
        this, {QStringLiteral("Installing %1").arg(chosen->text()), QStringLiteral("Unzip")},
        [category, name](Installation& installation, const ProgressReport& report,
                         const CancelRequested&) {
            return installation.install(category, name, report);
        },
        [this, category, name](const std::optional<InstallOutcome>& outcome) {
            if (outcome)
                tellInstalled(category, name, *outcome);
        });
}

void Principal::tellInstalled(std::size_t category, const std::string& name,
                              const InstallOutcome& outcome) {
    if (!outcome->tookOutFiles.lost.empty())
        ui->Text1->appendPlainText(ToQString(LostFilesText(outcome->tookOutFiles.lost)));
    if (outcome.done())
        return;
    // An extraction that ran to its end recorded what it wrote: nothing is partly there.
    const bool partly =
        !outcome->extraction && model_.installation().installed().find({category, name}) != nullptr;
    Prompts::bridgeError(this, QStringLiteral("Unzip"),
                         ToQString(outcome.why()) +
                             (partly ? QStringLiteral("\nThe add-on is partly installed: "
                                                      "uninstall it to take its files out.")
                                     : QString()));
}

void Principal::installedList_DblClick(std::size_t category) {
    QListWidget* list = installedLists_[category];
    const int row = list->currentRow();
    if (row < 0 || model_.refusesGameChange(this))
        return;
    const AddonKey key{category, NameOfItem(list->item(row))};
    list->setCurrentRow(-1); // no neighbour is chosen, nor uninstalled by a second Enter
    resetPreview();
    BORRAR(key);
}

// Uninstalls one add-on: deletes the names its installation wrote, but puts back
// from their archives the files other installed add-ons wrote too; the preview
// text tells what could not be put back. The add-on goes back to the selection
// list while its archive is still in the library.
void Principal::BORRAR(const AddonKey& key) {
    model_.run(
        this,
        {QStringLiteral("Uninstalling %1").arg(ToQString(UpperCase(key.name))),
         QStringLiteral("Unzip")},
        [key](Installation& installation, const ProgressReport& report, const CancelRequested&) {
            return installation.uninstall(key, report);
        },
        [this, key](const std::optional<UninstallOutcome>& outcome) {
            if (outcome)
                tellUninstalled(key, *outcome);
        });
}

void Principal::tellUninstalled(const AddonKey& key, const UninstallOutcome& outcome) {
    const QString shown = ToQString(UpperCase(key.name));
    if (!outcome.done()) {
        Prompts::tell(this, QStringLiteral("%1 was not uninstalled: the game folder %2")
                                .arg(shown, ToQString(outcome.why())));
        return;
    }
    const SharedFilesUninstallResult& files = outcome.report();
    if (!files.lost.empty())
        ui->Text1->appendPlainText(ToQString(LostFilesText(files.lost)));
    if (!files.files.failed.empty())
        Prompts::tell(this, QStringLiteral("Uninstalling %1 could not delete or put back %2 "
                                           "file(s): %3.%4")
                                .arg(shown)
                                .arg(files.files.failed.size())
                                .arg(ToQString(FewNames(files.files.failed)),
                                     model_.installation().installed().find(key)
                                         ? QStringLiteral("\n%1 stays installed with the files "
                                                          "still there.")
                                               .arg(shown)
                                         : QString()));
}

// Clear All acts only on the game folder accepted in this run; the window
// returns to no category either way.
void Principal::BORRARTODO(std::function<void()> then) {
    resetCategory();
    model_.run(
        this, {QStringLiteral("Clearing all add-ons"), QStringLiteral("Clear All")},
        [](Installation& installation, const ProgressReport& report, const CancelRequested&) {
            return installation.clearAll(report);
        },
        [this, then = std::move(then)](const std::optional<ClearOutcome>& outcome) {
            if (outcome)
                tellCleared(*outcome);
            if (then)
                then();
        });
}

void Principal::tellCleared(const ClearOutcome& outcome) {
    if (!outcome.done()) {
        Prompts::tell(this, QStringLiteral("Clear All did not touch the game folder ") +
                                ToQString(outcome.why()));
        return;
    }
    if (!outcome->failed.empty()) {
        std::vector<std::string> staying;
        for (const InstalledAddon& addon : model_.installation().installed().inOrder())
            staying.push_back(UpperCase(addon.key.name));
        Prompts::tell(this, QStringLiteral("Clear All could not delete or put back %1 file(s): "
                                           "%2.%3")
                                .arg(outcome->failed.size())
                                .arg(ToQString(FewNames(outcome->failed)),
                                     staying.empty()
                                         ? QString()
                                         : QStringLiteral("\nThese add-ons stay installed with "
                                                          "the files still there: ") +
                                               ToQString(JoinedNames(staying))));
    }
}

void Principal::BORRARINI() {
    if (model_.refusesGameChange(this))
        return;
    if (const Outcome<> restored = model_.installation().restoreIni(); !restored.done())
        Prompts::tell(this, ToQString(restored.why()));
}

// Every window opened here is the main window's for the window manager, which
// keeps it in front of it: Delete Addon too, which leaves the main window usable,
// since another window opened beside it disables the main window, and a click on
// that would otherwise raise it over Delete Addon. None is a child widget, which
// the main window's disabling would disable too. X11 window managers are told only
// of a dialog's owner, so each is made a dialog.
void Principal::openWindow(QWidget* window, bool keepMainEnabled) {
    std::erase_if(openWindows_, [](const QPointer<QWidget>& open) { return open.isNull(); });
    openWindows_.emplace_back(window);
    window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    window->winId();
    window->windowHandle()->setTransientParent(windowHandle());
    window->show();
    if (!keepMainEnabled)
        windowsOver_->hold(window);
}

} // namespace quorvel
