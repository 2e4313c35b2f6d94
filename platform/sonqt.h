#pragma once

#include "son.h"

#include <QObject>
#include <QUrl>

#include <memory>

class QSoundEffect;

// Plays through Qt Multimedia. A sound that is missing or cannot be decoded
// gives way to a chime the game carries inside itself.
class SonQt : public QObject, public Son
{
    Q_OBJECT
public:
    explicit SonQt(QObject *parent = nullptr);
    ~SonQt() override;

    void joue(const QString &fichier) override;
    void arrete() override;

    // What plays, or played last; empty before the first sound.
    QUrl source() const;
    bool joueEnBoucle() const;

    static QUrl carillon();

private:
    void surStatut();
    void lance(const QUrl &source);

    // Made at the first sound: the audio machinery costs nothing at start-up.
    std::unique_ptr<QSoundEffect> m_effet;
    bool m_actif = false;
};
