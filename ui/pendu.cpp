#include "pendu.h"

#include "clavier.h"
#include "nombre.h"
#include "hasard.h"
#include "images.h"
#include "son.h"
#include "controles.h"
#include "fenetres.h"
#include "depart.h"
#include "themes.h"

#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace {

const QColor peche(255, 224, 192);
const QColor nuit(0, 0, 64);
const QColor jaune(255, 255, 0);
const QColor noir(0, 0, 0);

const QString times = QStringLiteral("Times New Roman");
const QString script = QStringLiteral("Script MT Bold");
const QString arialBlack = QStringLiteral("Arial Black");
const QString sansSerif = QStringLiteral("MS Sans Serif");

// Where each key of the key table sits on the AZERTY keyboard, in twips.
struct PlaceTouche
{
    const char *legende;
    int left;
    int top;
};

constexpr std::array<PlaceTouche, 29> placesTouches = {{
    {"A", 3840, 4920}, {"Z", 4320, 4920}, {"E", 4800, 4920}, {"R", 5280, 4920},
    {"T", 5760, 4920}, {"Y", 6240, 4920}, {"U", 6720, 4920}, {"I", 7200, 4920},
    {"O", 7680, 4920}, {"P", 8160, 4920},
    {"Q", 4080, 5400}, {"S", 4560, 5400}, {"D", 5040, 5400}, {"F", 5520, 5400},
    {"G", 6000, 5400}, {"H", 6480, 5400}, {"J", 6960, 5400}, {"K", 7440, 5400},
    {"L", 7920, 5400}, {"M", 8400, 5400},
    {"W", 4320, 5880}, {"X", 4800, 5880}, {"C", 5280, 5880}, {"V", 5760, 5880},
    {"B", 6240, 5880}, {"N", 6720, 5880},
    {"-", 8640, 4920}, {"Espace", 7200, 5880}, {"'", 9120, 4920},
}};
constexpr std::size_t indexEspace = 27;
constexpr std::size_t indexApostrophe = 28;

// What a screen reader should say for the keys whose face is a sign.
const QHash<QString, QString> nomsParles = {
    {QStringLiteral("-"), QStringLiteral("Trait d'union")},
    {QStringLiteral("'"), QStringLiteral("Apostrophe")},
};

// The words of the theme list, one a line, each facing its check box.
const QStringList motsListe = {
    QStringLiteral("AFRIQUE"), QStringLiteral("ANIMAUX"), QStringLiteral("EUROPE"),
    QStringLiteral("HASARD"), QStringLiteral("MÉTIERS"), QStringLiteral("MONDE"),
    QStringLiteral("PERSO"),
};

// The check boxes' rows, in twips: tops and heights.
constexpr std::array<std::pair<int, int>, 7> rangeesCoches = {{
    {1560, 255}, {1800, 315}, {2160, 255}, {2400, 255}, {2640, 315}, {3000, 255}, {3240, 315},
}};

QString descriptionImage(const QString &fichier)
{
    if (fichier == fichiers::victoire)
        return QStringLiteral("Le bonhomme est sauvé !");
    return QStringLiteral("Le pendu, étape %1 sur 7").arg(fichier.section(QLatin1Char('.'), 0, 0));
}

// One-line boxes show the start of what they hold when it is too long.
void ecrit(QLineEdit *boite, const QString &texte)
{
    boite->setText(texte);
    boite->setCursorPosition(0);
}

template<typename T>
T *nomme(T *controle, const char *nom)
{
    controle->setObjectName(QLatin1String(nom));
    return controle;
}

QLineEdit *boiteTexte(QWidget *parent, const char *nom, const QFont &f, const QColor &fond,
                      const QColor &texte)
{
    auto *boite = nomme(new QLineEdit(parent), nom);
    boite->setFont(f);
    boite->setAlignment(Qt::AlignCenter);
    colore(boite, fond, texte);
    return boite;
}

Etiquette *etiquette(QWidget *parent, const char *nom, const QString &legende, const QFont &f,
                     const QColor &fond, const QColor &texte,
                     Qt::Alignment alignement = Qt::AlignHCenter | Qt::AlignTop)
{
    auto *label = nomme(new Etiquette(parent), nom);
    label->setLegende(legende);
    label->setFont(f);
    label->setAlignment(alignement);
    colore(label, fond, texte);
    return label;
}

QPushButton *bouton(QWidget *parent, const char *nom, const QString &legende, const QFont &f)
{
    auto *b = nomme(new QPushButton(legende, parent), nom);
    b->setFont(f);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

Pendu::Pendu(const Services &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Pendu"));
    setWindowTitle(QStringLiteral("Gibetto - Vocabulaire et orthographe -  Olaf PIRVEC"));
    setWindowIcon(iconeEclair());
    setAttribute(Qt::WA_DeleteOnClose);
    fixeFenetre(this, 10110, 6840, {224, 224, 224});
    construit();
    construitClavier();
    ordonneTabulation();
    centre(this);
    m_ecran->setFocus();
}

void Pendu::setNomSaisi(const QString &nom)
{
    m_nj->setText(nom);
}

void Pendu::construit()
{
    m_question1 = boiteTexte(this, "Question1", police(script, 15.75, 700), peche, {192, 0, 0});
    ecrit(m_question1, QStringLiteral("Bonjour, comment t'appelles-tu ?"));
    place(m_question1, 120, 120, 4455, 495);

    m_nj = boiteTexte(this, "nj", police(times, 14.25, 700), peche, {0, 0, 192});
    m_nj->setAccessibleName(QStringLiteral("Ton prénom"));
    place(m_nj, 4680, 120, 4215, 495);

    m_entree = bouton(this, "Entree", QStringLiteral("<<<"), police(arialBlack, 14.25, 900));
    m_entree->setAccessibleName(QStringLiteral("Valider le prénom"));
    place(m_entree, 9000, 120, 975, 495);
    connect(m_entree, &QPushButton::clicked, this, &Pendu::entree);

    m_accueil = nomme(new Zone(Qt::AlignLeft, this), "Accueil");
    m_accueil->setFont(police(times, 12, 700));
    colore(m_accueil, nuit, {0, 255, 0});
    place(m_accueil, 120, 720, 9855, 735);

    m_liste = etiquette(this, "Liste", motsListe.join(QLatin1Char(' ')), police(times, 12, 700),
                        {192, 192, 192}, noir, Qt::AlignLeft | Qt::AlignTop);
    place(m_liste, 8520, 1560, 1215, 2055);

    const auto &listes = themes();
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        auto *coche = new QCheckBox(this);
        coche->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        coche->setAccessibleName(motsListe.at(qsizetype(i)));
        colore(coche, {128, 128, 128});
        place(coche, 9840, rangeesCoches[i].first, 255, rangeesCoches[i].second);
        // A click ticks or unticks the box, then starts the same way either way.
        if (i < listes.size()) {
            const Theme &theme = listes[i];
            connect(coche, &QCheckBox::clicked, this, [this, &theme, coche] {
                choisitTheme(theme, coche);
            });
        } else {
            connect(coche, &QCheckBox::clicked, this, &Pendu::ouvrePerso);
        }
        m_checks[i] = coche;
    }

    m_theme = boiteTexte(this, "theme", police(sansSerif, 12, 700), nuit, jaune);
    place(m_theme, 3840, 1560, 4575, 420);

    m_consignes = nomme(new Zone(Qt::AlignHCenter, this), "Consignes");
    m_consignes->setFont(police(times, 14.25, 700));
    colore(m_consignes, nuit, jaune);
    place(m_consignes, 3840, 2040, 4575, 1215);

    m_perso = boiteTexte(this, "Perso", police(times, 12, 700), noir, {255, 255, 255});
    m_perso->setMaxLength(Partie::longueurMax);
    m_perso->setAccessibleName(QStringLiteral("Ton mot, en majuscules"));
    place(m_perso, 3840, 3240, 4095, 405);

    m_op = bouton(this, "op", QStringLiteral("<<<"), police(sansSerif, 8.25, 700));
    m_op->setAccessibleName(QStringLiteral("Valider le mot"));
    place(m_op, 7920, 3240, 495, 375);
    connect(m_op, &QPushButton::clicked, this, &Pendu::validePerso);

    m_ecran = nomme(new QLabel(this), "Ecran");
    m_ecran->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_ecran->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_ecran->setFocusPolicy(Qt::StrongFocus);
    m_ecran->setPixmap(QPixmap(QStringLiteral(":/assets/desert.bmp")));
    m_ecran->setAccessibleName(QStringLiteral("Un désert sous le soleil"));
    place(m_ecran, 120, 1560, 3615, 5055);

    m_aff = boiteTexte(this, "aff", police(times, 15.75, 700), {128, 0, 0}, jaune);
    m_aff->setAccessibleName(QStringLiteral("Le mot à trouver"));
    place(m_aff, 3840, 3720, 6135, 510);

    m_label3 = etiquette(this, "Label3", {}, police(times, 9.75, 700, true), noir, jaune);
    place(m_label3, 3840, 4320, 2895, 495);
    m_label1 = etiquette(this, "Label1", QStringLiteral("JOKERS > RESTANTS"),
                         police(times, 11.25, 700), noir, {0, 255, 0});
    place(m_label1, 6720, 4320, 2055, 495);
    m_label2 = etiquette(this, "Label2", {}, police(times, 18, 700), noir, {255, 0, 255});
    place(m_label2, 8760, 4320, 1215, 495);
    m_label5 = etiquette(this, "Label5", QStringLiteral("Clique ici si tu veux rejouer  >>>"),
                         police(times, 14.25, 700), noir, {255, 0, 0});
    place(m_label5, 3840, 6360, 4935, 375);

    m_sf = bouton(this, "SF", QStringLiteral("Suite"), police(arialBlack, 14.25, 900));
    place(m_sf, 8880, 6330, 1095, 405);
    connect(m_sf, &QPushButton::clicked, this, &Pendu::suite);

    for (QWidget *cache : std::initializer_list<QWidget *>{
                 m_accueil, m_liste, m_theme, m_consignes, m_perso, m_op, m_aff, m_label1,
                 m_label2, m_label3, m_label5, m_sf})
        cache->hide();
    for (QCheckBox *coche : m_checks)
        coche->hide();
}

void Pendu::construitClavier()
{
    for (std::size_t i = 0; i < clavier.size(); ++i) {
        const Touche &touche = clavier[i];
        const PlaceTouche &lieu = placesTouches[i];
        const int largeur = i == indexEspace ? 1455 : 375;
        const QFont f = police(arialBlack, i == indexEspace ? 12 : 14.25, 900);
        const QString legende = QString::fromUtf8(lieu.legende);
        const QString nomParle = nomsParles.value(legende, legende);

        // The label is made first so that the button, made after it, covers it.
        auto *label = nomme(new QLabel(legende, this), touche.etiquette);
        label->setFont(f);
        label->setAlignment(Qt::AlignCenter);
        colore(label, {192, 0, 0}, jaune);
        label->setAccessibleName(nomParle + QStringLiteral(", déjà essayée"));
        place(label, lieu.left, lieu.top, largeur, 375);
        label->hide();
        m_etiquettes[i] = label;

        auto *b = bouton(this, touche.bouton, legende, f);
        b->setAccessibleName(nomParle);
        place(b, lieu.left, lieu.top, largeur, 405);
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, i] { essai(i); });
        m_touches[i] = b;
    }
}

void Pendu::ordonneTabulation()
{
    QList<QWidget *> ordre = {m_ecran, m_question1, m_nj, m_entree, m_accueil};
    for (std::size_t i = 0; i < 6; ++i)
        ordre.append(m_checks[i]);
    ordre << m_aff << m_theme << m_consignes;
    // Row by row as the keys stand on the keyboard, the apostrophe last.
    std::array<std::size_t, 29> touches{};
    std::iota(touches.begin(), touches.end(), 0);
    std::stable_sort(touches.begin(), touches.end(), [](std::size_t a, std::size_t b) {
        const bool aApo = a == indexApostrophe, bApo = b == indexApostrophe;
        return std::tuple(aApo, placesTouches[a].top, placesTouches[a].left)
                < std::tuple(bApo, placesTouches[b].top, placesTouches[b].left);
    });
    for (const std::size_t i : touches)
        ordre.append(m_touches[i]);
    ordre << m_sf << m_checks[6] << m_perso << m_op;
    for (qsizetype i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre.at(i - 1), ordre.at(i));
}

void Pendu::entree()
{
    const QString nom = nomDuJoueur(m_nj->text(), m_services.hasard);
    m_partie.nomme(nom);
    m_accueil->setTexte(bienvenue(nom));
    m_accueil->show();
    m_liste->show();
    for (QCheckBox *coche : m_checks)
        coche->show();
}

void Pendu::choisitTheme(const Theme &theme, QCheckBox *coche)
{
    for (QCheckBox *autre : m_checks) {
        if (autre != coche)
            autre->hide();
    }
    commencePartie(tireMot(theme.mots, m_services.hasard), theme.titre, true);
}

void Pendu::ouvrePerso()
{
    for (std::size_t i = 0; i < 6; ++i)
        m_checks[i]->hide();
    m_perso->show();
    m_consignes->setTexte(consignesPerso(m_partie.nom()));
    m_consignes->show();
    m_op->show();
    m_accueil->setTexte(accueilPerso(m_partie.nom()));
    m_perso->setFocus();
}

void Pendu::validePerso()
{
    const QString mot = motPropose(m_perso->text(), m_services.hasard);
    m_perso->hide();
    m_op->hide();
    commencePartie(mot, titrePerso, false);
}

void Pendu::commencePartie(const QString &mot, const QString &titre, bool annonceDansAccueil)
{
    m_partie.commence(mot);
    const QString &nom = m_partie.nom();
    m_label1->show();
    m_label2->setLegende(enTexte(m_partie.jokers()));
    m_label2->show();
    ecrit(m_aff, m_partie.masque());
    m_aff->show();
    ecrit(m_theme, titre);
    m_theme->show();
    m_consignes->setTexte(consignesDepart(nom, m_partie.longueur()));
    m_consignes->show();
    if (annonceDansAccueil)
        m_accueil->setTexte(accueilDepart(nom, m_partie.longueur()));
    m_label3->setLegende(invite(nom));
    m_label3->show();
    montreTouches(true);
}

void Pendu::essai(std::size_t i)
{
    m_partie.essai(clavier[i].caractere);
    ecrit(m_aff, m_partie.masque());
    m_touches[i]->hide();
    m_etiquettes[i]->show();
    m_label2->setLegende(enTexte(m_partie.jokers()));
    bilan();
}

void Pendu::bilan()
{
    const Bilan b = m_partie.bilan();
    if (b.image)
        montreImage(*b.image);
    m_consignes->setTexte(b.message);

    if (b.issue == Issue::EnCours)
        return;
    if (b.issue == Issue::Gagnee)
        montreImage(fichiers::victoire);
    m_sf->show();
    m_label5->show();
    m_consignes->setTexte(b.messageFin);
    m_services.son.joue(b.issue == Issue::Gagnee ? fichiers::bravo : fichiers::echec);
    m_label3->setLegende(jeuTermine);
    // A lost game always shows the word it was about, whatever the last key.
    if (b.issue == Issue::Perdue)
        ecrit(m_aff, m_partie.mot());
    montreTouches(false);
}

void Pendu::montreImage(const QString &fichier)
{
    const QImage image = m_services.images.charge(fichier);
    if (image.isNull())
        return;
    m_ecran->setPixmap(QPixmap::fromImage(image));
    m_ecran->setAccessibleName(descriptionImage(fichier));
}

void Pendu::montreTouches(bool visibles)
{
    for (QPushButton *b : m_touches) {
        b->setVisible(visibles);
        if (visibles)
            b->raise();
    }
}
