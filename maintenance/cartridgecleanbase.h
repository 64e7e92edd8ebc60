#pragma once

#include <QWizard>

class QFrame;
class QGridLayout;
class QLabel;

// The cleaning wizard's pages: the streaked-output example with the offer
// to clean, then the page shown while the cleaning page prints.
class CartridgeCleanBase : public QWizard
{
    Q_OBJECT
public:
    explicit CartridgeCleanBase(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                                Qt::WindowFlags fl = Qt::WindowFlags());

    // Children, owned through the Qt parent.
    QFrame *Frame1;
    QLabel *TextLabel2;
    QLabel *TextLabel3;
    QLabel *PixmapLabel1;
    QFrame *Frame2;
    QLabel *TextLabel5;
    QLabel *TextLabel6;
    QLabel *TextLabel7;
    QLabel *PixmapLabel2;

signals:
    void cleaningRequested(const QString &id);

protected:
    QGridLayout *Frame1Layout;
    QGridLayout *Frame2Layout;

    virtual void languageChange();
};
