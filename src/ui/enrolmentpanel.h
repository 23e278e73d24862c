#pragma once

#include <QWidget>

class QLineEdit;

// The key-enrolment inputs of the users page, with the help on writing a record.
class EnrolmentPanel : public QWidget {
    Q_OBJECT

public:
    static const QString HelpText;

    explicit EnrolmentPanel(QWidget* parent = nullptr);

    QString userText() const;
    QString accessText() const;

signals:
    // PNGButton_User's click, with Edit_User_Ibutton's and Edit_User_acss's texts.
    void enrolmentRequested(const QString& user, const QString& access);

private:
    QLineEdit* codeEdit(const QString& name, const QString& text, const QString& hint);

    QLineEdit* user_ = nullptr;
    QLineEdit* access_ = nullptr;
};
