#include "SpinEdit.h"

#include "ini/IntegerText.h"

#include <algorithm>
#include <optional>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// QLineEdit's own cap, which is what "no limit" means to it.
constexpr int UnlimitedLength = 32767;

std::optional<int> IntegerOf(const QString &text)
{
    const auto number = ParseInteger(text.toStdString());
    if (!number)
        return std::nullopt;
    return *number;
}

} // namespace

SpinEdit::SpinEdit(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    m_shownText = QString::number(m_minimum);
    lineEdit()->setText(m_shownText);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) {
        m_shownText = text;
        emit changed();
    });
    connect(lineEdit(), &QLineEdit::inputRejected, this, &SpinEdit::inputRefused);
    connect(this, &SpinEdit::inputRefused, this, [] { QApplication::beep(); });
}

void SpinEdit::setMinimum(int minimum)
{
    setRange(minimum, std::max(minimum, m_maximum));
}

void SpinEdit::setMaximum(int maximum)
{
    setRange(std::min(m_minimum, maximum), maximum);
}

void SpinEdit::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    clampShownNumber();
    updateGeometry();
}

int SpinEdit::value() const
{
    return IntegerOf(text()).value_or(m_minimum);
}

void SpinEdit::setValue(int value)
{
    const QString shown = QString::number(clamped(value));
    if (shown != lineEdit()->text())
        lineEdit()->setText(shown);
}

int SpinEdit::maxLength() const
{
    const int length = lineEdit()->maxLength();
    return length == UnlimitedLength ? 0 : length;
}

void SpinEdit::setMaxLength(int length)
{
    lineEdit()->setMaxLength(length > 0 ? length : UnlimitedLength);
}

void SpinEdit::stepBy(int steps)
{
    // Wide arithmetic: a typed number may sit at the edge of int.
    setValue(clamped(static_cast<long long>(value()) + steps));
    selectAll();
}

// Refuses an edit that brings in characters a user may not type; deleting them stays possible,
// so a text the program put in can still be edited.
QValidator::State SpinEdit::validate(QString &input, int &) const
{
    const auto refused = [this](const QString &text) {
        return std::count_if(
            text.begin(), text.end(), [this](QChar c) { return !isAcceptedCharacter(c); });
    };
    return refused(input) > refused(m_shownText) ? QValidator::Invalid : QValidator::Acceptable;
}

QSize SpinEdit::sizeHint() const
{
    QSize hint = QAbstractSpinBox::sizeHint();
    const QFontMetrics metrics = fontMetrics();
    hint.rwidth() += std::max(metrics.horizontalAdvance(QString::number(m_minimum)),
                              metrics.horizontalAdvance(QString::number(m_maximum)));
    return hint;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    // A step that would show the same text again does nothing, so its button is off.
    const auto changesText = [this](int steps) {
        return QString::number(clamped(static_cast<long long>(value()) + steps)) != text();
    };
    StepEnabled enabled = StepNone;
    if (changesText(1))
        enabled |= StepUpEnabled;
    if (changesText(-1))
        enabled |= StepDownEnabled;
    return enabled;
}

void SpinEdit::keyPressEvent(QKeyEvent *event)
{
    if (isRefusedKey(event)) {
        event->accept();
        emit inputRefused();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent *event)
{
    // A context menu or a switch to another program does not leave the field.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
        clampShownNumber();
    QAbstractSpinBox::focusOutEvent(event);
}

bool SpinEdit::isAcceptedCharacter(QChar c) const
{
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-'
           || locale().decimalPoint().contains(c);
}

// Enter is refused like a letter. Other control keys (Backspace, Tab, arrows) type nothing, and
// shortcuts such as Ctrl+C pass whatever text the platform gives them; AltGr (Ctrl+Alt) types.
bool SpinEdit::isRefusedKey(const QKeyEvent *event) const
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & (Qt::ControlModifier | Qt::MetaModifier) && !(modifiers & Qt::AltModifier))
        return false;
    const QString typed = event->text();
    return std::any_of(typed.begin(), typed.end(), [this](QChar c) {
        return c.isPrint() && !isAcceptedCharacter(c);
    });
}

int SpinEdit::clamped(long long value) const
{
    return static_cast<int>(std::clamp<long long>(value, m_minimum, m_maximum));
}

void SpinEdit::clampShownNumber()
{
    const auto number = IntegerOf(text());
    if (number && (*number < m_minimum || *number > m_maximum))
        setValue(*number);
}
