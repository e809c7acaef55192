#include "qvc/viewer/frmPopUp.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace qvc::viewer {

frmPopUp::frmPopUp(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmPopUp"));
    setWindowTitle(QStringLiteral("<title>"));
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    lblText = new QLabel(this);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setWordWrap(true);
    lblText->setMinimumWidth(340);
    pbBar = new QProgressBar(this);
    pbBar->setObjectName(QStringLiteral("pbBar"));
    pbBar->setRange(0, 100);
    pbBar->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblText);
    layout->addWidget(pbBar);
    setFixedSize(sizeHint().expandedTo(QSize(380, 100)));
}

}  // namespace qvc::viewer
