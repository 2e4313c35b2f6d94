// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagesqt.h"

#include "fichiers.h"
#include "lectureimage.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace {
void montreAlerte(const QString &message)
{
    auto *boite = new QMessageBox(QMessageBox::Warning, QStringLiteral("Image introuvable"),
                                  message, QMessageBox::Ok, QApplication::activeWindow());
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}
}

ImagesQt::ImagesQt(Alerte alerte)
    : m_alerte(alerte ? std::move(alerte) : Alerte(montreAlerte))
{
}

QString ImagesQt::messageAbsente(const QString &fichier)
{
    return QStringLiteral("L'image « %1 » est absente ou illisible : elle ne peut pas être "
                          "affichée. Le jeu continue sans elle.").arg(fichier);
}

QImage ImagesQt::charge(const QString &fichier)
{
    const QString chemin = trouveImage(fichier, qApp->devicePixelRatio());
    QImage image;
    QFile lu(chemin);
    if (!chemin.isEmpty() && lu.open(QIODevice::ReadOnly))
        image = litImage(lu, QFileInfo(fichier).suffix().toLatin1());
    if (image.isNull() && !m_signalees.contains(fichier)) {
        m_signalees.insert(fichier);
        m_alerte(messageAbsente(fichier));
    }
    return image;
}
