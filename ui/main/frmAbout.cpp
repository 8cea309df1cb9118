#include "ui/main/frmAbout.h"

#include "ui/main/Background.h"
#include "ui/main/Links.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A label that opens its link when clicked.
QLabel* linkLabel(QWidget* parent, const QString& name, const QString& text, const QUrl& url) {
    auto* l = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toString(), text.toHtmlEscaped()), parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QObject::connect(l, &QLabel::linkActivated, l, [url] { Links::open(url); });
    return l;
}
} // namespace

QString frmAbout::versionText() {
    return QStringLiteral("程序版本：%1.%2").arg(TOBRIN_VERSION_MAJOR).arg(TOBRIN_VERSION_MINOR);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于 Orvane商务名片管理系统"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(QPixmap::fromImage(Background::logo()));
    auto* title = new QLabel(QStringLiteral("Orvane商务名片管理系统"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont f = title->font();
    f.setPointSize(16);
    f.setBold(true);
    title->setFont(f);
    auto* version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* welcome = new QLabel(QStringLiteral("  欢迎使用Orvane 商务名片管理系统"), this);
    welcome->setObjectName(QStringLiteral("Label6"));
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(welcome);
    layout->addWidget(linkLabel(this, QStringLiteral("Label3"), Links::kHomePage, QUrl(Links::kHomePage)));
    layout->addWidget(linkLabel(this, QStringLiteral("Label4"), Links::kEmail, QUrl(QStringLiteral("mailto:") + Links::kEmail)));
    layout->addWidget(linkLabel(this, QStringLiteral("Label7"), Links::kEmail2, QUrl(QStringLiteral("mailto:") + Links::kEmail2)));
    layout->addWidget(ok);
    ok->setDefault(true);
}
