#pragma once

#include <QWizard>

class QFrame;
class QLabel;
class QVBoxLayout;

// The multi-function alignment wizard's pages: how to get the alignment
// page, then how to let the device scan it. Neither page has a picture.
class CartridgeAlignMFPBase : public QWizard
{
    Q_OBJECT
public:
    explicit CartridgeAlignMFPBase(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                                   Qt::WindowFlags fl = Qt::WindowFlags());

    // Children, owned through the Qt parent.
    QFrame *Frame1;
    QLabel *TextLabel20;
    QLabel *TextLabel21;
    QLabel *TextLabel22;
    QFrame *Frame2;
    QLabel *TextLabel23;
    QLabel *TextLabel24;
    QLabel *TextLabel25;
    QLabel *TextLabel26;

public slots:
    virtual void printPage();

signals:
    void alignmentRequested(const QString &id);

protected:
    QVBoxLayout *Frame1Layout;
    QVBoxLayout *Frame2Layout;

    virtual void languageChange();
};
