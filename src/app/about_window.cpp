#include "app/about_window.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/splash_window.h"

namespace halvern {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("splash_info"));
    setWindowTitle(QStringLiteral("Halvern Visual Design"));
    auto* title = new QLabel(QStringLiteral("Halvern Visual Design"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(version_label("AlphaV"), this);
    version->setObjectName(QStringLiteral("splash_version"));
    auto* ok = new QPushButton(QStringLiteral("ok"), this);
    ok->setObjectName(QStringLiteral("Splash_close"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

} // namespace halvern
