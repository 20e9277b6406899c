#include "options/ui/about_box.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "common/program_version.h"
#include "common/text_codec.h"
#include "common/user_file.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Lines of a paragraph joined with spaces; blank lines separate paragraphs and
// a line starting with a dash is an item of a list of its own.
QString paragraphsAsHtml(const QString &text)
{
    QString html;
    QStringList paragraph;
    const auto flush = [&] {
        if (!paragraph.isEmpty())
            html += QStringLiteral("<p>") + paragraph.join(u' ').toHtmlEscaped() + QStringLiteral("</p>");
        paragraph.clear();
    };
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'-'))
            flush();
        if (!trimmed.isEmpty())
            paragraph << trimmed;
    }
    flush();
    return html;
}

} // namespace

AboutBox::AboutBox(const QString &programFolder, QWidget *parent)
    : QDialog(parent), m_programFolder(programFolder), m_descriptionView(new QTextBrowser(this))
{
    const QString product = QStringLiteral("Lectorium");
    setObjectName(QStringLiteral("AboutBox"));
    installHelpKey(this, HelpAnchor::about);
    setWindowTitle(product + QStringLiteral(" - о программе..."));
    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MediaVolume).pixmap(48, 48));
    auto *title = new QLabel(product, this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto *version = new QLabel(QStringLiteral("Версия ") + programVersion(), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    m_descriptionView->setObjectName(QStringLiteral("descriptionView"));
    auto *license = new QPushButton(QStringLiteral("Лицензия"), this);
    license->setObjectName(QStringLiteral("licenseButton"));
    auto *changes = new QPushButton(QStringLiteral("Список изменений"), this);
    changes->setObjectName(QStringLiteral("changesButton"));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *uses = new QLabel(
        QStringLiteral("Используются Qt и espeak-ng; данные ударений: UDAR / Giellatekno lang-rus (GPL-3.0)"), this);
    auto *readMe = new QPushButton(QStringLiteral("Справка"), this);
    readMe->setObjectName(QStringLiteral("readMeButton"));
    readMe->setToolTip(QStringLiteral("Открыть описание программы"));
    connect(readMe, &QPushButton::clicked, this, [this] {
        if (!openUserGuide())
            QDesktopServices::openUrl(QUrl::fromLocalFile(m_programFolder + QStringLiteral("/Doc/readme.htm")));
    });

    auto *head = new QHBoxLayout;
    head->addWidget(icon);
    auto *names = new QVBoxLayout;
    names->addWidget(title);
    names->addWidget(version);
    head->addLayout(names, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(license);
    buttons->addWidget(changes);
    buttons->addWidget(readMe);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_descriptionView, 1);
    layout->addWidget(uses);
    layout->addLayout(buttons);
    resize(480, 400);

    showFile(QStringLiteral("license.txt"));
    connect(license, &QPushButton::clicked, this, [this] { showFile(QStringLiteral("license.txt")); });
    connect(changes, &QPushButton::clicked, this, [this] { showFile(QStringLiteral("whatsnew.txt")); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showFile(const QString &name)
{
    const auto bytes = UserFile::readBytes(m_programFolder + u'/' + name);
    if (bytes)
        m_descriptionView->setHtml(paragraphsAsHtml(Codec::decodeUserFile(*bytes).remove(u'\r')));
}
