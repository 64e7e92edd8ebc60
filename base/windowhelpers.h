#pragma once

class QWidget;

void CenterWindow(QWidget *widget);
void SetFontPixelSize(QWidget *widget, int pixelSize);
// Gives the widget and every widget below it a font of pixel size 10.
void SetSmallFontRecursive(QWidget *widget);
