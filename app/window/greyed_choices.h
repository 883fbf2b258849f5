#pragma once

#include <QCoreApplication>

class QWidget;

namespace orvex {

// Each menu choice that can be greyed tells on hover why it is, for as long
// as it is; once it can be chosen it tells nothing more than its text.
class GreyedChoices {
    Q_DECLARE_TR_FUNCTIONS(orvex::GreyedChoices)

public:
    // For the choices and menus of `window`.
    static void Explain(QWidget* window);
};

}  // namespace orvex
