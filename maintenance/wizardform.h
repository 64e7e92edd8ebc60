#pragma once

#include <QList>

class QFrame;
class QGridLayout;
class QLabel;
class QWidget;
class QWizard;
class QWizardPage;

// Building blocks of the three maintenance wizard forms: every page holds
// one frame that fills it, and most frames show a picture beside their texts.

// What every form does first: its object name (the class name when none is
// given), modality, the classic look and its size.
void SetUpWizardForm(QWizard *wizard, const char *name, const char *className, bool modal, int width,
                     int height);
// A new page of the wizard, named, with a frame (also named) that fills it.
QFrame *AddFramedPage(QWizard *wizard, const char *pageName, const char *frameName);
// A label for a paragraph of text; its words wrap.
QLabel *MakeTextLabel(QWidget *parent, const char *name);
// A label showing a picture of the maintenance collection (none when the
// collection does not have it).
QLabel *MakePixmapLabel(QWidget *parent, const char *name, const char *image);
// The frame's grid of margin 30 and spacing 25: the picture in column 0
// over all rows, the texts in column 1 between an upper and a lower spacer.
QGridLayout *LayOutPictureGrid(QFrame *frame, QLabel *picture, const QList<QLabel *> &texts);
