#pragma once

#include <QSpinBox>

class QValidator;

// An integer spin box that reports every change of its editor text, typed or
// set, so that a setting follows the user keystroke by keystroke.
class SpinBox : public QSpinBox
{
    Q_OBJECT
public:
    SpinBox(int minValue, int maxValue, int step, QWidget *parent = nullptr, const char *name = nullptr);
    ~SpinBox() override;

    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &input) const override;

    // Shows the current value again through textFromValue, dropping whatever
    // the user left half-typed in the editor.
    virtual void refresh();

    [[nodiscard]] const QValidator *validator() const { return m_validator; }

signals:
    void spinChanged(const QString &text);

protected slots:
    // Deliberately hides QSpinBox::textChanged: the editor's own signal is
    // routed here and passed on as spinChanged.
    void textChanged(const QString &text);

protected:
    // Takes ownership (as a child) and drops the previous validator.
    void setValidator(QValidator *validator);

private:
    void reportSetText();

    QValidator *m_validator = nullptr;
    QString m_reportedText;
};
