#include "imagesqt.h"

#include "fichiers.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QtEndian>

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
    const FichierTrouve trouve = trouveImage(fichier, qApp->devicePixelRatio());
    // A drawing shorter than its header says was cut short, by a copy that
    // stopped or a full disk: Qt would show its missing rows black.
    QFile lu(trouve.chemin);
    const QByteArray entete = !lu.fileName().isEmpty() && lu.open(QIODevice::ReadOnly) ? lu.read(6) : QByteArray();
    const bool coupee = entete.size() == 6 && entete.startsWith("BM")
            && qFromLittleEndian<quint32>(entete.constData() + 2) > lu.size();
    QImage image;
    if (!trouve.chemin.isEmpty() && !coupee) {
        // Read first as what its suffix says, without the guessing that loads
        // every image plugin on the machine; a teacher's drawing saved in
        // another format under that name is then read for what it is. The
        // reader gives a "name@2x" file its pixel ratio of 2, so that it
        // takes the room of the plain picture.
        QImageReader lecteur(trouve.chemin, QFileInfo(fichier).suffix().toLatin1());
        lecteur.setAutoDetectImageFormat(false);
        image = lecteur.read();
        if (image.isNull())
            image = QImageReader(trouve.chemin).read();
    }
    if (image.isNull() && !m_signalees.contains(fichier)) {
        m_signalees.insert(fichier);
        m_alerte(messageAbsente(fichier));
    }
    return image;
}
