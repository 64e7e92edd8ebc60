#pragma once

#include <QDialog>

class CustomButton;
class QFrame;
class QHBoxLayout;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

// The settings window's widgets: the favourites pane, its slider and the
// category tree in a frame at the top, the help button, the control panel
// and the Printer Default / Apply / Exit row. The slots are stubs; the
// settings dialog derives from this class and overrides them.
class Ui_SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit Ui_SettingsDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                               Qt::WindowFlags fl = Qt::WindowFlags());

    // Children, owned through the Qt parent.
    QFrame *paramFrame;
    QTreeWidget *favoriteList;
    QToolButton *slider;
    QTreeWidget *paramList;
    CustomButton *helpBtn;
    QFrame *panel;
    QFrame *line1;
    QPushButton *defBtn;
    QPushButton *applyBtn;
    QPushButton *closeBtn;

public slots:
    virtual void applyBtn_clicked();
    virtual void closeBtn_clicked();
    virtual void defBtn_clicked();
    virtual void favoriteList_selectionChanged(QTreeWidgetItem *item);
    virtual void helpBtn_clicked();
    virtual void paramList_selectionChanged(QTreeWidgetItem *item2);
    virtual void slider_clicked();

protected:
    QVBoxLayout *Ui_SettingsDialogLayout;
    QHBoxLayout *paramFrameLayout;
    QHBoxLayout *Layout7;
    QVBoxLayout *Layout6;
    QHBoxLayout *Layout5;

    virtual void languageChange();

private:
    void buildParamFrame();
    void buildPanel();
    void addSampleItems();
};
