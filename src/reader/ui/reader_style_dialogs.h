#pragma once
// The font and colour dialogs of the reader window. The window asks through
// this interface, so tests can answer without a modal dialog.

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QWidget;

class ReaderStyleDialogs
{
public:
    virtual ~ReaderStyleDialogs() = default;
    // Nothing when the user cancels.
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &current) = 0;
    virtual std::optional<QColor> chooseColour(QWidget *parent, const QColor &current, const QString &title) = 0;
};

// The platform's font and colour dialogs.
class PlatformStyleDialogs : public ReaderStyleDialogs
{
public:
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &current) override;
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &current, const QString &title) override;
};
