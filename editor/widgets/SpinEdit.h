#pragma once

#include <QAbstractSpinBox>

// A whole-number field with up and down buttons whose value is whatever integer its text spells.
// Unlike QSpinBox it passes on a typed number outside the range until the field loses the focus,
// and it reports every change of its text, whether the user or the program made it.
//
// Set minimum and maximum before value: the value is clamped to the range in force when set.
class SpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY changed USER true)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)

public:
    explicit SpinEdit(QWidget *parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // A minimum above the maximum raises the maximum, and the other way round. A shown number
    // outside the new range is clamped into it.
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    void setRange(int minimum, int maximum);

    // The integer the text spells, unclamped; the minimum when the text is not an integer.
    int value() const;
    // Clamps to the range and shows the result; showing the text already there notifies nothing.
    void setValue(int value);

    // The longest text the user can type; 0 means no limit.
    int maxLength() const;
    void setMaxLength(int length);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    QSize sizeHint() const override;

signals:
    // The shown text changed, by the user or by the program.
    void changed();
    // A key or an inserted text was refused; the field beeps.
    void inputRefused();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool isAcceptedCharacter(QChar c) const;
    bool isRefusedKey(const QKeyEvent *event) const;
    int clamped(long long value) const;
    void clampShownNumber();

    int m_minimum = 0;
    int m_maximum = 99;
    // The text as last accepted: an edit under validation is already in the line edit.
    QString m_shownText;
};
