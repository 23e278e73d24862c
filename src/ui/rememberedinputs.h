#pragma once

#include <QString>

class QWidget;

// The inputs kept from one run to the next: the port choice, the two
// key-enrolment inputs and the write's two tick boxes, found in the window by
// their names.
class RememberedInputs {
public:
    // file: an INI file to use; empty for the user's standard place, named after the executable.
    explicit RememberedInputs(QString file = {});

    // A value that is missing, or that its control would not accept, leaves the control as it is;
    // a port index beyond the list leaves no port chosen.
    void restore(QWidget& window) const;
    // An input that the window does not have keeps its stored value.
    void store(const QWidget& window) const;

private:
    QString file_;
};
