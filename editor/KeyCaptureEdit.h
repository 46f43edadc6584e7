#pragma once

#include <optional>

#include <QLineEdit>
#include <QString>

// A binding cell waiting for a key press: it takes every key, Tab and the window's shortcuts
// included, and names the press in the client file's notation.
class KeyCaptureEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit KeyCaptureEdit(QWidget *parent = nullptr);

    static QString Prompt();

    // The binding pressed, an empty one after Backspace; nullopt until then.
    const std::optional<QString> &binding() const { return m_binding; }

signals:
    // A binding was pressed, or Backspace cleared it.
    void captured();
    void cancelled();
    // The key has no binding; the capture goes on.
    void refused(const QString &reason);

protected:
    bool event(QEvent *event) override;

private:
    void KeyPressed(int key, Qt::KeyboardModifiers modifiers);

    std::optional<QString> m_binding;
};
