#pragma once

#include <QLineEdit>

// An IPv4 address field drawn as four fixed cells. The text always has the
// form of four sections of up to three digits separated by three dots; the
// keys and the mouse work section by section.
class IPControl : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int focusedSection READ focusedSection WRITE setFocusedSection)
public:
    explicit IPControl(QWidget *parent = nullptr, const char *name = nullptr);

    [[nodiscard]] int focusedSection() const { return m_focusedSection; }

    // True unless all four sections are 0 or all are 255; an empty section
    // ends the check as valid, a section that is no number as invalid.
    [[nodiscard]] static bool isValidAddress(const QString &text);
    // True when no section is empty.
    [[nodiscard]] static bool isCompleteAddress(const QString &text);

public slots:
    // The section (0 to 3) to select the next time the control gains focus;
    // other values are ignored.
    virtual void setFocusedSection(int section);

protected slots:
    void text_Changed(const QString &text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    [[nodiscard]] QStringList sections() const;
    [[nodiscard]] int sectionIndex(int pos) const;
    [[nodiscard]] int positionInSection(int pos) const;
    [[nodiscard]] int sectionStart(int pos) const;
    [[nodiscard]] int sectionLength(int pos) const;
    [[nodiscard]] int startOfSection(int section) const;
    bool selectSection(int section);
    bool nextSection(bool select);
    void previousSection(bool select);
    // Keeps pos inside the section that holds reference.
    [[nodiscard]] int clipToSection(int pos, int reference) const;

    // Cell geometry shared by painting and hit testing.
    [[nodiscard]] int sectionTextLeft(int section, const QString &sectionText) const;
    [[nodiscard]] int xOfPosition(int pos) const;
    [[nodiscard]] int positionAt(int x) const;

    QString m_lastValidText;
    int m_lastValidCursor = 0;
    bool m_cursorPhase = false;
    bool m_selecting = false;
    int m_selectionAnchor = 0;
    int m_focusedSection = 0;
    int m_cellWidth = 0;
    int m_dotWidth = 0;
};
