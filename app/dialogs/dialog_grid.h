#pragma once

#include <QString>

class QGridLayout;
class QPushButton;
class QWidget;

namespace orvex {

// Gives `widget` the object name tests and accessibility tools know it by.
template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The layout the settings dialogs share, a row at a time: a choice across
// the dialog, the fields it governs indented under it, each behind its
// label, and fields of the whole dialog behind labels that are not.
class DialogGrid {
public:
    explicit DialogGrid(QWidget* dialog);

    // A widget across the dialog: a choice, or the dialog's buttons.
    void AddAcross(QWidget* widget);
    // A field under the choice above it, behind `label`, with `browse`,
    // when given, beside it.
    void AddIndented(const QString& label, QWidget* field, QPushButton* browse = nullptr);
    // A field of the whole dialog.
    void AddUnindented(const QString& label, QWidget* field, QPushButton* browse = nullptr);

    QGridLayout* Layout() const { return grid_; }

private:
    void Add(const QString& label, QWidget* field, QPushButton* browse, bool indented);

    QWidget* dialog_;
    QGridLayout* grid_;
    int row_ = 0;
};

}  // namespace orvex
