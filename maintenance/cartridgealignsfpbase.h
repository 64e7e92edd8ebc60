#pragma once

#include <QWizard>

class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QSpinBox;
class QVBoxLayout;

// The single-function alignment wizard's pages: the offer to align, the
// printed pattern sets with a spin box per set for the best pattern, and
// the verification page.
class CartridgeAlignSFPBase : public QWizard
{
    Q_OBJECT
public:
    explicit CartridgeAlignSFPBase(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                                   Qt::WindowFlags fl = Qt::WindowFlags());

    // Children, owned through the Qt parent.
    QFrame *Frame1;
    QLabel *TextLabel9;
    QLabel *TextLabel10;
    QLabel *TextLabel11;
    QLabel *PixmapLabel3;
    QFrame *Frame2;
    QLabel *TextLabel12;
    QLabel *TextLabel13;
    QLabel *TextLabel14;
    QLabel *PixmapLabel4;
    QLabel *PixmapLabel5;
    QSpinBox *sbA;
    QSpinBox *sbB;
    QSpinBox *sbC;
    QSpinBox *sbD;
    QSpinBox *sbE;
    QSpinBox *sbF;
    QSpinBox *sbG;
    QFrame *Frame3;
    QLabel *TextLabel18;
    QLabel *TextLabel19;
    QLabel *PixmapLabel6;

signals:
    void alignmentRequested(const QString &id);

protected:
    QGridLayout *Frame1Layout;
    QGridLayout *Frame2Layout;
    QVBoxLayout *textLayout;
    QHBoxLayout *pageLayout;
    QHBoxLayout *penLayout;
    QVBoxLayout *spinLayout;
    QGridLayout *Frame3Layout;

    virtual void languageChange();

private:
    void buildPatternPage();
};
