#include "ui/ImgEdit.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>

void CQtImgEdit::Display() {
    QPixmap picture(QFile::decodeName(QByteArray::fromStdString(m_path)));
    if (picture.isNull()) {
        m_label.clear();
        return;
    }
    const QSize room = m_label.contentsRect().size();
    if (picture.width() > room.width() || picture.height() > room.height())
        picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_label.setPixmap(picture);
}
