#include "ui/enrolmentpanel.h"

#include "service/keyenrolment.h"
#include "ui/apptexts.h"
#include "ui/inputrulevalidator.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int EditLength = 2;

struct AccessDigit {
    char digit;
    const char* meaning;
};

constexpr AccessDigit accessDigits[] = {
    {'0', "все группы"},
    {'1', "группа A"},
    {'2', "группа B"},
    {'3', "группа C"},
    {'4', "группа D"},
    {'5', "выход ОК3"},
    {'6', "только постановка группы A"},
    {'7', "только снятие группы A"},
    {'8', "только постановка группы B"},
    {'9', "только снятие группы B"},
    {'A', "постановка всех групп"},
    {'B', "снятие всех групп"},
    {'C', "принудительная постановка всех групп"},
    {'F', "подтверждение приезда группы"},
};

QString helpText()
{
    QStringList lines = {
        "Для ввода пароля пользователя необходимо ввести:",
        "1, доступ, количество цифр в пароле и сам пароль.",
        // Type 1, access 1, four digits, the password, zeros to sixteen.
        "Например, пароль 1234, нужно ввести 1104123400000000",
        "Соотвествие цифр доступу:",
    };
    for (const AccessDigit& row : accessDigits)
        lines << QString(QLatin1Char(row.digit)) + " - " + QString::fromUtf8(row.meaning) + ';';
    lines.last().back() = QLatin1Char('.');
    return lines.join(QLatin1Char('\n'));
}

} // namespace

const QString EnrolmentPanel::HelpText = helpText();

EnrolmentPanel::EnrolmentPanel(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setColumnStretch(0, 1);

    auto* heading = new QLabel("Запоминание кода Touch Memory:", this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    grid->addWidget(heading, 0, 0, 1, 2);

    user_ = codeEdit("Edit_User_Ibutton", "02", "Нужно ввести номер пользователя\rот 01 до 30");
    access_ = codeEdit("Edit_User_acss", "21", "Первая цифра всегда 2, вторая доступ как описано выше");
    grid->addWidget(new QLabel("1. Введите номер ", this), 1, 0);
    grid->addWidget(user_, 1, 1);
    grid->addWidget(new QLabel("2. Введите доступ", this), 2, 0);
    grid->addWidget(access_, 2, 1);

    auto* start = new QToolButton(this);
    start->setObjectName("PNGButton_User");
    start->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    start->setIconSize({24, 24});
    start->setToolTip("После нажатия ППК ожидает до 180 сек. принятия ключа, иначе выйдет из меню");
    start->setCursor(Qt::PointingHandCursor);
    connect(start, &QToolButton::clicked, this, [this] { emit enrolmentRequested(userText(), accessText()); });
    grid->addWidget(new QLabel("3. Запустите готовность принятия", this), 3, 0);
    grid->addWidget(start, 3, 1, Qt::AlignCenter);

    // Two lines while counting down, so the place for them is kept from the start.
    auto* progress = new QLabel(KeyEnrolment::IdleCaption, this);
    progress->setObjectName(KeyEnrolment::LabelName);
    progress->setWordWrap(true);
    progress->setMinimumHeight(2 * progress->fontMetrics().lineSpacing());
    grid->addWidget(progress, 4, 0, 1, 2);

    auto* help = new QLabel(HelpText, this);
    help->setObjectName("sLabel_UserHelp");
    help->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(help, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
}

QLineEdit* EnrolmentPanel::codeEdit(const QString& name, const QString& text, const QString& hint)
{
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    edit->setMaxLength(EditLength);
    edit->setValidator(new InputRuleValidator(SettingKind::CodeText, EditLength, edit));
    edit->setAlignment(Qt::AlignCenter);
    edit->setToolTip(AppTexts::Display(hint));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("WW") + 16);
    return edit;
}

QString EnrolmentPanel::userText() const
{
    return user_->text();
}

QString EnrolmentPanel::accessText() const
{
    return access_->text();
}
