#include "ui/dialogs/aboutDialog.h"

#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace {

using messages::ProgramMessage;
using messages::SharedMessage;

QLabel* NewLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

// The contact fields are read-only text boxes, so their text can be copied.
QLineEdit* NewContactField(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(objectName);
    field->setReadOnly(true);
    field->setAccessibleName(text.section(QLatin1Char(':'), 0, 0));
    field->setCursorPosition(0);
    return field;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), Presentable(static_cast<QWidget&>(*this)), place_(*this, QStringLiteral("About"))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(messages::Text(ProgramMessage::AboutCaption));

    auto* picture = new QSvgWidget(QStringLiteral(":/tollbrook2.svg"), this);
    picture->setObjectName(QStringLiteral("imgAbout"));
    picture->setFixedSize(64, 64);
    picture->setAccessibleName(QStringLiteral("Tollbrook2"));

    QLabel* programName =
        NewLabel(QStringLiteral("lblAboutProgName"), messages::Text(ProgramMessage::MainCaption), this);
    QLabel* title =
        NewLabel(QStringLiteral("lblAboutTitle"), messages::Text(ProgramMessage::AboutTitle), this);
    QLabel* author = NewLabel(QStringLiteral("lblAboutName"), QStringLiteral("the Tollbrook2 project"), this);
    QLabel* version =
        NewLabel(QStringLiteral("lblAboutVersion"), QStringLiteral("Ver." TB_DISPLAY_VERSION), this);
    auto* texts = new QVBoxLayout;
    for (QLabel* label : {programName, title, author, version})
        texts->addWidget(label);

    auto* libraries = new QGridLayout;
    for (int row = 0; row < kLibraryRows; ++row) {
        libraryNames_[row] = NewLabel(QStringLiteral("lblProg%1").arg(row), QString(), this);
        libraryVersions_[row] = NewLabel(QStringLiteral("lblVer%1").arg(row), QString(), this);
        libraries->addWidget(libraryNames_[row], row, 0);
        libraries->addWidget(libraryVersions_[row], row, 1);
    }
    libraries->setColumnStretch(2, 1);
    texts->addLayout(libraries);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    QLineEdit* manual =
        NewContactField(QStringLiteral("txtNiftyMail"), messages::Text(SharedMessage::AboutManual), this);
    QLineEdit* licence =
        NewContactField(QStringLiteral("txtMail"), messages::Text(SharedMessage::AboutLicence), this);
    QLineEdit* source =
        NewContactField(QStringLiteral("txtHttp"), messages::Text(SharedMessage::AboutSource), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    for (QLineEdit* field : {manual, licence, source})
        layout->addWidget(field);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

void AboutDialog::SetLibraries(const archiver::Libraries& libraries)
{
    QList<std::pair<QString, QString>> rows;
    for (archiver::KindIndex kind = 0; kind < archiver::kArchiveKinds.size(); ++kind) {
        if (libraries.Of(kind))
            rows.append({QString::fromLatin1(archiver::kArchiveKinds[kind].aboutName),
                         QStringLiteral("Ver.") + VersionText(libraries.ofKind[kind].version)});
    }
    for (int row = 0; row < kLibraryRows; ++row) {
        libraryNames_[row]->setText(row < rows.size() ? rows[row].first : QString());
        libraryVersions_[row]->setText(row < rows.size() ? rows[row].second : QString());
    }
}

QString AboutDialog::VersionText(int version)
{
    return QString::number(static_cast<float>(version) / 100, 'f', 2);
}
