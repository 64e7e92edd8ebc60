#pragma once

#include "controller/iconfigurator.h"
#include "model/elementobserver.h"
#include "window/forms/ui_settingsdialog.h"

#include <QString>

#include <memory>

class ControlPanel;
class Element;
class FavouritesPane;
class NodeDesc;
class SettingsActions;
class SettingsTreeFiller;

// The program's main window: the category tree with each setting's value,
// the favourites pane with the top-level categories and settings, and the
// panel in which the selected setting shows its control. It puts the pieces
// that do this work together and routes the settings' signals to them.
//
// The settings tree is the controller's (its settings session owns it); the
// window only points into it, from its rows, its index of rows by id, the
// shown control and the actions. So the window lets go of all of them
// before it asks the controller for a tree, which frees the old one, and it
// never outlives the controller: whoever makes both makes the controller
// first.
class SettingsDialog : public Ui_SettingsDialog, private IElementObserver
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                            Qt::WindowFlags fl = Qt::WindowFlags());
    ~SettingsDialog() override;

    // Takes the settings tree from the controller and fills both lists; the
    // heading names the device in the tree's first column. False when the
    // controller had no settings: the window is then empty and must not be
    // shown (the controller's lastFailure() says why).
    bool initialize(IConfigurator *configurator, const QString &heading);

    // The size the window's contents ask for, widened so that the tree shows
    // its widest title and widest value side by side without scrolling.
    [[nodiscard]] QSize fittingSize() const;

    // The favourites pane's width as last measured, kept for the whole run.
    [[nodiscard]] static int favoritePaneWidth();

public slots:
    void paramList_selectionChanged(QTreeWidgetItem *item) override;
    void closeBtn_clicked() override;
    void slider_clicked() override;
    void favoriteList_selectionChanged(QTreeWidgetItem *item) override;
    void applyBtn_clicked() override;
    void defBtn_clicked() override;
    void helpBtn_clicked() override;
    // A plain device button was pressed.
    void buttonClicked(const QString &id);

private slots:
    void elementChanged(const QString &value);
    void phoneBookClicked(const QString &id);
    void emailBookClicked(const QString &id);
    void addressBookClicked(const QString &id);
    void inkTestPagePrintClicked(const QString &id);
    void inkCartridgeCleanClicked(const QString &id);
    void inkCartridgeAlignSFPClicked(const QString &id);
    void inkCartridgeAlignMFPClicked(const QString &id);
    void popupApplyClicked();

private:
    // Lets go of everything that points into the settings tree.
    void releaseSettings();
    // The maintenance controller hands a setting press back here.
    [[nodiscard]] IConfigurator::ApplyCallback applyThroughWindow();
    using ButtonSlot = void (SettingsDialog::*)(const QString &);
    // The slot a press of a button of this type goes to, or null.
    static ButtonSlot buttonSlot(int type);
    void connectElement(Element *element);
    void connectButton(Element *element, ButtonSlot slot);
    // What a setting's change does to the window.
    void valueChangedBy(Element *element, const QString &value);
    void valueResetBy(Element *element);
    void visibilityChangedBy(Element *element, bool visible);
    // The window observes every setting it shows.
    void valueChanged(ConcreteElement *element, const QString &value) override;
    void valueReset(ConcreteElement *element) override;
    void visibleChanged(Element *element, bool visible) override;

    IConfigurator *m_pConfigurator = nullptr;
    NodeDesc *m_pSettings = nullptr;
    // Destroyed from the bottom up: the shown control goes before the rows,
    // and the rows go with the folder pictures they point at.
    std::unique_ptr<SettingsTreeFiller> m_filler;
    std::unique_ptr<FavouritesPane> m_favourites;
    std::unique_ptr<ControlPanel> m_panel;
    std::unique_ptr<SettingsActions> m_actions;
};
