#pragma once

#include <QString>

// What the sound module offers the game. Kept apart from the program so that
// the sound machinery is only loaded once a game ends.
class Lecteur
{
public:
    virtual ~Lecteur() = default;
    // Plays the sound at that path over and over; the built-in chime when the
    // path is empty or holds no sound. Whatever played before ends.
    virtual void joue(const QString &chemin) = 0;
    virtual void arrete() = 0;
};

// The module's one entry point, looked up by that name.
using FabriqueLecteur = Lecteur *(*)();
inline constexpr char nomFabriqueLecteur[] = "gibettoLecteur";
