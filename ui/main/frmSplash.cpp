#include "ui/main/frmSplash.h"

#include "ui/main/Background.h"
#include "ui/main/Links.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral("#frmSplash { background: #e8f4ff; border: 2px solid #3070b0; }"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(QPixmap::fromImage(Background::logo()));
    picture->setAlignment(Qt::AlignCenter);
    auto* title1 = new QLabel(QStringLiteral("Orvane"), this);
    title1->setObjectName(QStringLiteral("Label1"));
    auto* title2 = new QLabel(QStringLiteral("商务名片管理系统"), this);
    title2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {title1, title2}) {
        QFont f = l->font();
        f.setPointSize(20);
        f.setBold(true);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
    }
    auto* welcome = new QLabel(QStringLiteral("欢迎使用Orvane商务名片管理系统 ") + Links::kHomePage, this);
    welcome->setObjectName(QStringLiteral("Label3"));
    welcome->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    layout->addWidget(title1);
    layout->addWidget(title2);
    layout->addWidget(welcome);
    resize(480, 320);
}
