<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommonDialogs</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>no sound file</source>
        <translation>pas de fichier son</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>disponible</translation>
    </message>
    <message>
        <source>playing</source>
        <translation>en lecture</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>en échec : %1</translation>
    </message>
    <message>
        <source>buzzer %1; horn %2</source>
        <translation>sonnerie %1 ; klaxon %2</translation>
    </message>
    <message>
        <source>writing to %1</source>
        <translation>écrit dans %1</translation>
    </message>
    <message>
        <source>not written: another board writes to %1</source>
        <translation>non écrit : un autre tableau écrit dans %1</translation>
    </message>
    <message>
        <source>cannot serve on %1 port %2</source>
        <translation>impossible de servir sur %1 port %2</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n viewer(s)</source>
        <translation>
            <numerusform>%1, %n spectateur</numerusform>
            <numerusform>%1, %n spectateurs</numerusform>
        </translation>
    </message>
    <message>
        <source>connecting to %1</source>
        <translation>connexion à %1</translation>
    </message>
    <message>
        <source>publishing to %1 as %2/</source>
        <translation>publié sur %1 sous %2/</translation>
    </message>
    <message>
        <source>cannot reach %1 (%2); trying again</source>
        <translation>%1 injoignable (%2) ; nouvel essai</translation>
    </message>
    <message>
        <source>every command refused: %1</source>
        <translation>toute commande refusée : %1</translation>
    </message>
    <message>
        <source>on; the control page for a phone is %1/control, with the token in the code</source>
        <translation>activée ; la page de commande pour un téléphone est %1/control, avec le jeton dans le code</translation>
    </message>
    <message>
        <source>cannot use %1</source>
        <translation>impossible d’utiliser %1</translation>
    </message>
</context>
<context>
    <name>ConsoleStatus</name>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>Feed</source>
        <translation>Flux</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <source>Remote control</source>
        <translation>Télécommande</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
    <message>
        <source>Game file</source>
        <translation>Fichier de partie</translation>
    </message>
</context>
<context>
    <name>Design</name>
    <message>
        <source>Home</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Visiteur</translation>
    </message>
    <message>
        <source>GOAL</source>
        <translation>BUT</translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation>Pén.</translation>
    </message>
    <message>
        <source>SHOTS ON GOAL</source>
        <translation>TIRS AU BUT</translation>
    </message>
    <message>
        <source>PERIOD</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Player Penalty</source>
        <translation>Pénalités</translation>
    </message>
    <message>
        <source>Keyboard Controls</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>Color Controls</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Text Controls</source>
        <translation>Textes</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Start / Stop Penalty Clock</source>
        <translation>Départ / arrêt pénalité</translation>
    </message>
    <message>
        <source>Start / Stop  Clock</source>
        <translation>Départ / arrêt chrono</translation>
    </message>
    <message>
        <source>Reset Clock</source>
        <translation>Réinitialiser le chrono</translation>
    </message>
    <message>
        <source>Horn</source>
        <translation>Klaxon</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Sonnerie</translation>
    </message>
    <message>
        <source>Game / Clock Switch</source>
        <translation>Bascule partie / heure</translation>
    </message>
    <message>
        <source># Clear Key</source>
        <translation>Effacer un nombre</translation>
    </message>
    <message>
        <source>Numlock Options:</source>
        <translation>Verr. num. :</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>Mode normal</translation>
    </message>
    <message>
        <source>Keep Numlock On</source>
        <translation>Toujours activé</translation>
    </message>
    <message>
        <source>Keep Numlock Off</source>
        <translation>Toujours désactivé</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Rétablir les touches</translation>
    </message>
    <message>
        <source>Buzzer File:</source>
        <translation>Fichier de la sonnerie :</translation>
    </message>
    <message>
        <source>Change Buzzer Sound</source>
        <translation>Modifier la sonnerie</translation>
    </message>
    <message>
        <source>Horn Sound:</source>
        <translation>Son du klaxon :</translation>
    </message>
    <message>
        <source>Change Horn Sound</source>
        <translation>Modifier le klaxon</translation>
    </message>
    <message>
        <source>Time Color:</source>
        <translation>Couleur du chrono :</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Score Color:</source>
        <translation>Couleur du pointage :</translation>
    </message>
    <message>
        <source>Border Color:</source>
        <translation>Couleur du cadre :</translation>
    </message>
    <message>
        <source>Back Color:</source>
        <translation>Couleur du fond :</translation>
    </message>
    <message>
        <source>Period Color:</source>
        <translation>Couleur de la période :</translation>
    </message>
    <message>
        <source>Home Color:</source>
        <translation>Couleur (local) :</translation>
    </message>
    <message>
        <source>LED Background:</source>
        <translation>Fond des DEL :</translation>
    </message>
    <message>
        <source>LED Selected</source>
        <translation>DEL sélectionnée</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Larg. :</translation>
    </message>
    <message>
        <source>Visitor Color:</source>
        <translation>Couleur (visiteur) :</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Rétablir les couleurs</translation>
    </message>
    <message>
        <source>Home Name:</source>
        <translation>Nom de l&apos;équipe locale :</translation>
    </message>
    <message>
        <source>Visitor Name:</source>
        <translation>Nom de l&apos;équipe visiteuse :</translation>
    </message>
    <message>
        <source>Home Picture</source>
        <translation>Image (local)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Visitor Picture</source>
        <translation>Image (visiteur)</translation>
    </message>
    <message>
        <source>Scoreboard Picture</source>
        <translation>Image du tableau</translation>
    </message>
    <message>
        <source>Digit Type:</source>
        <translation>Type de chiffres :</translation>
    </message>
    <message>
        <source>Lines|Dots</source>
        <extracomment>The list&apos;s entries, separated by &quot;|&quot;.</extracomment>
        <translation>Lignes|Points</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Aperçu :</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>This is not a valid key, please choose another or close this window to return.</source>
        <translation>Touche non valide. Choisissez-en une autre ou fermez cette fenêtre.</translation>
    </message>
    <message>
        <source>by Velmaro</source>
        <translation>par Velmaro</translation>
    </message>
    <message>
        <source>Click to continue.</source>
        <translation>Cliquez pour ouvrir.</translation>
    </message>
    <message>
        <source>Press &apos; F1 &apos; to view Help from the scoreboard.</source>
        <translation>Au tableau, &apos; F1 &apos; affiche l&apos;aide.</translation>
    </message>
    <message>
        <source>Press &apos; F2 &apos; to set Options from the scoreboard.</source>
        <translation>Au tableau, &apos; F2 &apos; ouvre les options.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Board Caption:</source>
        <translation>Légende du tableau :</translation>
    </message>
    <message>
        <source>Open the operator console with the board</source>
        <translation>Ouvrir la console de l&apos;opérateur avec le tableau</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>À distance</translation>
    </message>
    <message>
        <source>Allow remote control</source>
        <translation>Autoriser la commande à distance</translation>
    </message>
    <message>
        <source>Regular periods:</source>
        <translation>Périodes réglementaires :</translation>
    </message>
    <message>
        <source>The periods after these are overtime (OT).</source>
        <translation>Les périodes suivantes sont des prolongations (OT).</translation>
    </message>
    <message>
        <source>Board name:</source>
        <translation>Nom du tableau :</translation>
    </message>
    <message>
        <source>Letters, digits and &apos;-&apos; only; MQTT topics begin pucklight/&lt;name&gt;.</source>
        <translation>Lettres, chiffres et « - » seulement ; les sujets MQTT commencent par pucklight/&lt;nom&gt;.</translation>
    </message>
    <message>
        <source>Remote token:</source>
        <translation>Jeton de commande à distance :</translation>
    </message>
    <message>
        <source>New token</source>
        <translation>Nouveau jeton</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
    <message>
        <source>Publish the game to an MQTT broker, for screens and displays elsewhere. No broker when empty.</source>
        <translation>Publier le match sur un courtier MQTT, pour les écrans et afficheurs ailleurs. Vide : aucun courtier.</translation>
    </message>
    <message>
        <source>Broker:</source>
        <translation>Courtier :</translation>
    </message>
    <message>
        <source>mqtt://HOST[:PORT], or mqtts://HOST[:PORT] over TLS</source>
        <translation>mqtt://HÔTE[:PORT], ou mqtts://HÔTE[:PORT] en TLS</translation>
    </message>
    <message>
        <source>Topic prefix:</source>
        <translation>Préfixe des sujets :</translation>
    </message>
    <message>
        <source>Empty: pucklight/&lt;board name&gt;, the name on the Remote page</source>
        <translation>Vide : pucklight/&lt;nom du tableau&gt;, le nom de la page À distance</translation>
    </message>
    <message>
        <source>Credentials file:</source>
        <translation>Fichier d’identifiants :</translation>
    </message>
    <message>
        <source>One line user:password, readable by you alone. Empty: none</source>
        <translation>Une ligne utilisateur:mot de passe, lisible par vous seul. Vide : aucun</translation>
    </message>
    <message>
        <source>CA file (mqtts):</source>
        <translation>Fichier de l’AC (mqtts) :</translation>
    </message>
    <message>
        <source>Empty: the system&apos;s certificate authorities</source>
        <translation>Vide : les autorités de certification du système</translation>
    </message>
    <message>
        <source>Take commands with the remote token on PREFIX/command</source>
        <translation>Accepter les commandes avec le jeton distant sur PRÉFIXE/command</translation>
    </message>
</context>
<context>
    <name>Entry</name>
    <message>
        <source>Enter sets %1 to %2</source>
        <translation>Entrée met %1 à %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: %2 is no game time (0:00 to 99:59)</source>
        <translation>Entrée ne change rien : %2 n&apos;est pas un temps de jeu (0:00 à 99:59)</translation>
    </message>
    <message>
        <source>Type a number for %1</source>
        <translation>Tapez un nombre pour %1</translation>
    </message>
    <message>
        <source>The next digit adds to %1; Enter sets it to %2</source>
        <translation>Le chiffre suivant s&apos;ajoute à %1 ; Entrée le met à %2</translation>
    </message>
    <message>
        <source>The next digit takes from %1; Enter sets it to %2</source>
        <translation>Le chiffre suivant se retire de %1 ; Entrée le met à %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: %1 is %3 to %4, not %2</source>
        <translation>Entrée ne change rien : %1 va de %3 à %4, pas %2</translation>
    </message>
    <message>
        <source>Enter sets %1 to player %2</source>
        <translation>Entrée met %1 au joueur %2</translation>
    </message>
    <message>
        <source>Type a player for %1</source>
        <translation>Tapez un joueur pour %1</translation>
    </message>
    <message>
        <source>The next digit adds to the player of %1; Enter sets it to %2</source>
        <translation>Le chiffre suivant s&apos;ajoute au joueur de %1 ; Entrée le met à %2</translation>
    </message>
    <message>
        <source>The next digit takes from the player of %1; Enter sets it to %2</source>
        <translation>Le chiffre suivant se retire du joueur de %1 ; Entrée le met à %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: a player is %3 to %4, not %2</source>
        <translation>Entrée ne change rien : un joueur va de %3 à %4, pas %2</translation>
    </message>
    <message>
        <source>Enter sets the time of %1 to %2</source>
        <translation>Entrée met le temps de %1 à %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: %2 is no penalty time (0:00 to 9:59)</source>
        <translation>Entrée ne change rien : %2 n&apos;est pas un temps de pénalité (0:00 à 9:59)</translation>
    </message>
    <message>
        <source>Left lights the home goal lamp, Right the visitor&apos;s, Down puts it out</source>
        <translation>Gauche allume la lampe de but locale, Droite celle du visiteur, Bas l&apos;éteint</translation>
    </message>
    <message>
        <source>Enter %5</source>
        <translation>Entrée %5</translation>
    </message>
    <message>
        <source>the game clock</source>
        <translation>le chrono de jeu</translation>
    </message>
    <message>
        <source>the home score</source>
        <translation>le score local</translation>
    </message>
    <message>
        <source>the visitor score</source>
        <translation>le score visiteur</translation>
    </message>
    <message>
        <source>the goal lamps</source>
        <translation>les lampes de but</translation>
    </message>
    <message>
        <source>the home shots</source>
        <translation>les tirs locaux</translation>
    </message>
    <message>
        <source>the period</source>
        <translation>la période</translation>
    </message>
    <message>
        <source>the visitor shots</source>
        <translation>les tirs visiteurs</translation>
    </message>
    <message>
        <source>home penalty 1</source>
        <translation>la pénalité locale 1</translation>
    </message>
    <message>
        <source>visitor penalty 1</source>
        <translation>la pénalité visiteur 1</translation>
    </message>
    <message>
        <source>home penalty 2</source>
        <translation>la pénalité locale 2</translation>
    </message>
    <message>
        <source>visitor penalty 2</source>
        <translation>la pénalité visiteur 2</translation>
    </message>
    <message>
        <source>starts or stops the clocks</source>
        <translation>démarre ou arrête les chronos</translation>
    </message>
    <message>
        <source>starts or stops the game clock alone</source>
        <translation>démarre ou arrête le chrono de jeu seul</translation>
    </message>
    <message>
        <source>resets the game clock</source>
        <translation>réinitialise le chrono de jeu</translation>
    </message>
    <message>
        <source>switches the clock between the game time and the time of day</source>
        <translation>bascule le chrono entre le temps de jeu et l&apos;heure</translation>
    </message>
    <message>
        <source>clears the selected penalty</source>
        <translation>efface la pénalité choisie</translation>
    </message>
    <message>
        <source>starts or stops the selected penalty&apos;s clock</source>
        <translation>démarre ou arrête le chrono de la pénalité choisie</translation>
    </message>
    <message>
        <source>sounds the horn</source>
        <translation>déclenche le klaxon</translation>
    </message>
    <message>
        <source>sounds the buzzer</source>
        <translation>déclenche la sonnerie</translation>
    </message>
    <message>
        <source>takes back the last change</source>
        <translation>annule le dernier changement</translation>
    </message>
    <message>
        <source>does again what was taken back</source>
        <translation>rétablit ce qui a été annulé</translation>
    </message>
    <message>
        <source>dark</source>
        <translation>éteint</translation>
    </message>
    <message>
        <source>The clear key</source>
        <translation>La touche d&apos;effacement</translation>
    </message>
    <message>
        <source>%1 clears %2</source>
        <translation>%1 efface %2</translation>
    </message>
    <message>
        <source>%1 blanks %2</source>
        <translation>%1 éteint %2</translation>
    </message>
    <message>
        <source>%1; Enter also %2</source>
        <translation>%1 ; Entrée %2 aussi</translation>
    </message>
</context>
<context>
    <name>Events</name>
    <message>
        <source>no player</source>
        <translation>sans joueur</translation>
    </message>
    <message>
        <source>player %1</source>
        <translation>joueur %1</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1re</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>clocks started</source>
        <translation>chronos démarrés</translation>
    </message>
    <message>
        <source>clocks stopped</source>
        <translation>chronos arrêtés</translation>
    </message>
    <message>
        <source>game clock started alone</source>
        <translation>chrono de jeu démarré seul</translation>
    </message>
    <message>
        <source>game clock stopped alone</source>
        <translation>chrono de jeu arrêté seul</translation>
    </message>
    <message>
        <source>home penalty %1 clock started</source>
        <translation>chrono de la pénalité locale %1 démarré</translation>
    </message>
    <message>
        <source>visitor penalty %1 clock started</source>
        <translation>chrono de la pénalité visiteur %1 démarré</translation>
    </message>
    <message>
        <source>home penalty %1 clock stopped</source>
        <translation>chrono de la pénalité locale %1 arrêté</translation>
    </message>
    <message>
        <source>visitor penalty %1 clock stopped</source>
        <translation>chrono de la pénalité visiteur %1 arrêté</translation>
    </message>
    <message>
        <source>%1 period</source>
        <translation>%1 période</translation>
    </message>
    <message>
        <source>home goal</source>
        <translation>but local</translation>
    </message>
    <message>
        <source>visitor goal</source>
        <translation>but visiteur</translation>
    </message>
    <message>
        <source>home score set to %1</source>
        <translation>score local mis à %1</translation>
    </message>
    <message>
        <source>visitor score set to %1</source>
        <translation>score visiteur mis à %1</translation>
    </message>
    <message>
        <source>dark</source>
        <translation>éteint</translation>
    </message>
    <message>
        <source>home shots set to %1</source>
        <translation>tirs locaux mis à %1</translation>
    </message>
    <message>
        <source>visitor shots set to %1</source>
        <translation>tirs visiteurs mis à %1</translation>
    </message>
    <message>
        <source>period set to %1</source>
        <translation>période mise à %1</translation>
    </message>
    <message>
        <source>home penalty %1: %2, %3</source>
        <translation>pénalité locale %1 : %2, %3</translation>
    </message>
    <message>
        <source>visitor penalty %1: %2, %3</source>
        <translation>pénalité visiteur %1 : %2, %3</translation>
    </message>
    <message>
        <source>no time</source>
        <translation>sans temps</translation>
    </message>
    <message>
        <source>home penalty %1 cleared</source>
        <translation>pénalité locale %1 effacée</translation>
    </message>
    <message>
        <source>visitor penalty %1 cleared</source>
        <translation>pénalité visiteur %1 effacée</translation>
    </message>
    <message>
        <source>home penalty %1 over (%2)</source>
        <translation>pénalité locale %1 terminée (%2)</translation>
    </message>
    <message>
        <source>visitor penalty %1 over (%2)</source>
        <translation>pénalité visiteur %1 terminée (%2)</translation>
    </message>
    <message>
        <source>home penalty waiting: %1, %2</source>
        <translation>pénalité locale en attente : %1, %2</translation>
    </message>
    <message>
        <source>visitor penalty waiting: %1, %2</source>
        <translation>pénalité visiteur en attente : %1, %2</translation>
    </message>
    <message>
        <source>home waiting penalty removed: %1, %2</source>
        <translation>pénalité locale en attente retirée : %1, %2</translation>
    </message>
    <message>
        <source>visitor waiting penalty removed: %1, %2</source>
        <translation>pénalité visiteur en attente retirée : %1, %2</translation>
    </message>
    <message>
        <source>home waiting penalty to slot %1: %2, %3</source>
        <translation>pénalité locale en attente à la place %1 : %2, %3</translation>
    </message>
    <message>
        <source>visitor waiting penalty to slot %1: %2, %3</source>
        <translation>pénalité visiteur en attente à la place %1 : %2, %3</translation>
    </message>
    <message>
        <source>game clock set to %1</source>
        <translation>chrono de jeu mis à %1</translation>
    </message>
    <message>
        <source>game clock reset to %1</source>
        <translation>chrono de jeu réinitialisé à %1</translation>
    </message>
    <message>
        <source>clock shows the time of day</source>
        <translation>le chrono montre l&apos;heure</translation>
    </message>
    <message>
        <source>clock shows the game time</source>
        <translation>le chrono montre le temps de jeu</translation>
    </message>
    <message>
        <source>goal lamp out</source>
        <translation>lampe de but éteinte</translation>
    </message>
    <message>
        <source>home goal lamp lit</source>
        <translation>lampe de but locale allumée</translation>
    </message>
    <message>
        <source>visitor goal lamp lit</source>
        <translation>lampe de but visiteur allumée</translation>
    </message>
    <message>
        <source>horn</source>
        <translation>klaxon</translation>
    </message>
    <message>
        <source>buzzer</source>
        <translation>sonnerie</translation>
    </message>
    <message>
        <source>undo: %1</source>
        <translation>annulé : %1</translation>
    </message>
    <message>
        <source>redo: %1</source>
        <translation>rétabli : %1</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>refusé : %1</translation>
    </message>
    <message>
        <source>%1 at %2, %3</source>
        <translation>%1 à %2, %3</translation>
    </message>
    <message>
        <source>period %1</source>
        <translation>période %1</translation>
    </message>
</context>
<context>
    <name>GameSaving</name>
    <message>
        <source>Saved today at %1.</source>
        <translation>Enregistrée aujourd&apos;hui à %1.</translation>
    </message>
    <message>
        <source>Saved on %1 at %2.</source>
        <translation>Enregistrée le %1 à %2.</translation>
    </message>
    <message>
        <source>Resume game</source>
        <translation>Reprendre la partie</translation>
    </message>
    <message>
        <source>Resume the last game?</source>
        <translation>Reprendre la dernière partie?</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Reprendre</translation>
    </message>
    <message>
        <source>&amp;New game</source>
        <translation>&amp;Nouvelle partie</translation>
    </message>
    <message>
        <source>Another board is running</source>
        <translation>Un autre tableau est en marche</translation>
    </message>
    <message>
        <source>Another Pucklight board is running on this computer and saves its game. This board does not save its game.</source>
        <translation>Un autre tableau Pucklight est en marche sur cet ordinateur et enregistre sa partie. Ce tableau n&apos;enregistre pas la sienne.</translation>
    </message>
    <message>
        <source>Its game is kept in %1.</source>
        <translation>Sa partie est conservée dans %1.</translation>
    </message>
    <message>
        <source>not saved: another board keeps its game in %1</source>
        <translation>non enregistrée : un autre tableau garde sa partie dans %1</translation>
    </message>
    <message>
        <source>saved in %1</source>
        <translation>enregistrée dans %1</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Backspace</source>
        <translation>Retour arr.</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Pause/Break</source>
        <translation>Pause/Attn</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Pg préc.</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Pg suiv.</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Origine</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Inser</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Suppr</translation>
    </message>
    <message>
        <source>Numpad *</source>
        <translation>Pavé *</translation>
    </message>
    <message>
        <source>Numpad /</source>
        <translation>Pavé /</translation>
    </message>
</context>
<context>
    <name>MiniBoard</name>
    <message>
        <source>Board</source>
        <translation>Tableau</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>This broker cannot be used: %1</source>
        <translation>Ce courtier ne peut pas être utilisé : %1</translation>
    </message>
</context>
<context>
    <name>Overlay</name>
    <message>
        <source>1st</source>
        <translation>1re</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2e</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3e</translation>
    </message>
    <message>
        <source>%1th</source>
        <extracomment>A period from the fourth on: &quot;4th&quot;, &quot;5th&quot;...</extracomment>
        <translation>%1e</translation>
    </message>
    <message>
        <source>Intermission</source>
        <translation>Entracte</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>OT</source>
        <extracomment>Overtime, the first period after the regular ones.</extracomment>
        <translation>Prol.</translation>
    </message>
    <message>
        <source>%1OT</source>
        <extracomment>The second, third... overtime: &quot;2OT&quot;.</extracomment>
        <translation>Prol. %1</translation>
    </message>
    <message>
        <source>en</source>
        <comment>The code of this language, as a web page names it</comment>
        <translation>fr</translation>
    </message>
    <message>
        <source>Shots</source>
        <comment>Shots on goal, before their number</comment>
        <translation>Tirs</translation>
    </message>
    <message>
        <source>PP</source>
        <comment>Power play, before the time it has left</comment>
        <translation>AN</translation>
    </message>
    <message>
        <source>%1 ON %2</source>
        <comment>The skaters of each team: 5 ON 3, the larger number first</comment>
        <translation>%1 CONTRE %2</translation>
    </message>
</context>
<context>
    <name>PenaltyPanel</name>
    <message>
        <source>no player</source>
        <translation>sans joueur</translation>
    </message>
    <message>
        <source>#%1</source>
        <translation>n° %1</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Penalties</source>
        <translation>Pénalités</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Home 1</source>
        <translation>Local 1</translation>
    </message>
    <message>
        <source>Home 2</source>
        <translation>Local 2</translation>
    </message>
    <message>
        <source>Visitor 1</source>
        <translation>Visiteur 1</translation>
    </message>
    <message>
        <source>Visitor 2</source>
        <translation>Visiteur 2</translation>
    </message>
    <message>
        <source>%1: player</source>
        <translation>%1 : joueur</translation>
    </message>
    <message>
        <source>m.ss</source>
        <translation>m.ss</translation>
    </message>
    <message>
        <source>%1: time</source>
        <translation>%1 : temps</translation>
    </message>
    <message>
        <source>9:59 running</source>
        <translation>9:59 en marche</translation>
    </message>
    <message>
        <source>Start/stop</source>
        <translation>Départ/arrêt</translation>
    </message>
    <message>
        <source>%1: start or stop its clock</source>
        <translation>%1 : démarrer ou arrêter son chrono</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>%1: clear</source>
        <translation>%1 : effacer</translation>
    </message>
    <message>
        <source>Home waiting</source>
        <translation>Local en attente</translation>
    </message>
    <message>
        <source>Visitor waiting</source>
        <translation>Visiteur en attente</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>%1: add</source>
        <translation>%1 : ajouter</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>%1: remove the selected one</source>
        <translation>%1 : retirer celle choisie</translation>
    </message>
    <message>
        <source>over</source>
        <translation>terminée</translation>
    </message>
    <message>
        <source>%1 running</source>
        <translation>%1 en marche</translation>
    </message>
    <message>
        <source>%1 held</source>
        <translation>%1 arrêtée</translation>
    </message>
    <message>
        <source>A penalty time is from 0.00 to 9.59 (minutes.seconds).</source>
        <translation>Un temps de pénalité va de 0.00 à 9.59 (minutes.secondes).</translation>
    </message>
    <message>
        <source>A waiting penalty&apos;s time is from 0.01 to 9.59 (minutes.seconds).</source>
        <translation>Le temps d&apos;une pénalité en attente va de 0.01 à 9.59 (minutes.secondes).</translation>
    </message>
    <message>
        <source>A team can have no more than %1 penalties waiting.</source>
        <translation>Une équipe ne peut pas avoir plus de %1 pénalités en attente.</translation>
    </message>
    <message>
        <source>Select the waiting penalty to remove.</source>
        <translation>Choisissez la pénalité en attente à retirer.</translation>
    </message>
    <message>
        <source>Not done: %1</source>
        <translation>Non fait : %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Home</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Visiteur</translation>
    </message>
</context>
<context>
    <name>frmChooseKey</name>
    <message>
        <source>Choose Key</source>
        <translation>Choisir une touche</translation>
    </message>
    <message>
        <source>Press the key you would like to %1.</source>
        <extracomment>%1 is what the key does, as &quot;sound the horn&quot;.</extracomment>
        <translation>Appuyez sur la touche qui doit %1.</translation>
    </message>
</context>
<context>
    <name>frmConsole</name>
    <message>
        <source>key %1</source>
        <translation>touche %1</translation>
    </message>
    <message>
        <source>Command keys</source>
        <translation>Touches de commande</translation>
    </message>
    <message>
        <source>clears the selected penalty, or blanks the selected score or shots</source>
        <translation>efface la pénalité choisie, ou éteint le score ou les tirs choisis</translation>
    </message>
    <message>
        <source>With Ctrl</source>
        <translation>Avec Ctrl</translation>
    </message>
    <message>
        <source>Ctrl+H, Ctrl+V</source>
        <translation>Ctrl+H, Ctrl+V</translation>
    </message>
    <message>
        <source>a goal for home, for the visitor</source>
        <translation>un but local, un but visiteur</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>the next period</source>
        <translation>la période suivante</translation>
    </message>
    <message>
        <source>Ctrl+%1</source>
        <translation>Ctrl+%1</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Ctrl+Y, Ctrl+Shift+Z</source>
        <translation>Ctrl+Y, Ctrl+Maj+Z</translation>
    </message>
    <message>
        <source>Typing on the selected field</source>
        <translation>Saisie sur le champ choisi</translation>
    </message>
    <message>
        <source>0 to 9, point</source>
        <translation>0 à 9, point</translation>
    </message>
    <message>
        <source>a number, or a time as minutes.seconds (1.30 is 1:30)</source>
        <translation>un nombre, ou un temps en minutes.secondes (1.30 vaut 1:30)</translation>
    </message>
    <message>
        <source>+, -</source>
        <translation>+, -</translation>
    </message>
    <message>
        <source>then a digit: adds it to the number, or takes it away</source>
        <translation>puis un chiffre : l&apos;ajoute au nombre, ou le retire</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>enters what is typed (the line above says what it will do)</source>
        <translation>valide la saisie (la ligne ci-dessus dit ce qu&apos;elle fera)</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>throws away what is typed</source>
        <translation>abandonne la saisie</translation>
    </message>
    <message>
        <source>F5, F6, F7</source>
        <translation>F5, F6, F7</translation>
    </message>
    <message>
        <source>on a penalty time: 2:00, 4:00, 5:00 at once</source>
        <translation>sur un temps de pénalité : 2:00, 4:00, 5:00 aussitôt</translation>
    </message>
    <message>
        <source>Left, Right, Down</source>
        <translation>Gauche, Droite, Bas</translation>
    </message>
    <message>
        <source>on the goal lamps: home, visitor, out</source>
        <translation>sur les lampes de but : local, visiteur, éteinte</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Console</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation>Tab, Maj+Tab</translation>
    </message>
    <message>
        <source>selects the next field, the previous one</source>
        <translation>choisit le champ suivant, le précédent</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Échap</translation>
    </message>
    <message>
        <source>throws away what is typed; elsewhere, back to the board&apos;s keys</source>
        <translation>abandonne la saisie ; ailleurs, revient aux touches du tableau</translation>
    </message>
    <message>
        <source>Ctrl+Tab</source>
        <translation>Ctrl+Tab</translation>
    </message>
    <message>
        <source>on to the penalties, the record and the keys</source>
        <translation>passe aux pénalités, au journal et aux touches</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Clic</translation>
    </message>
    <message>
        <source>a field of the small board selects it</source>
        <translation>sur un champ du petit tableau le choisit</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Fenêtres</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>the manual (the console keeps the keys)</source>
        <translation>le manuel (la console garde les touches)</translation>
    </message>
    <message>
        <source>F2</source>
        <translation>F2</translation>
    </message>
    <message>
        <source>the options</source>
        <translation>les options</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>the waiting penalties</source>
        <translation>les pénalités en attente</translation>
    </message>
    <message>
        <source>F4</source>
        <translation>F4</translation>
    </message>
    <message>
        <source>closes the console; on the board, opens it</source>
        <translation>ferme la console ; au tableau, l&apos;ouvre</translation>
    </message>
    <message>
        <source>Pucklight Console</source>
        <translation>Console Pucklight</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Saisie</translation>
    </message>
    <message>
        <source>Undo and redo</source>
        <translation>Annuler et rétablir</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Game record</source>
        <translation>Journal de la partie</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Touches</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Selected: %1</source>
        <translation>Choisi : %1</translation>
    </message>
    <message>
        <source>typed: %1</source>
        <translation>saisi : %1</translation>
    </message>
    <message>
        <source>Left typed on %1: %2 (%3). Escape throws it away.</source>
        <translation>Reste saisi sur %1 : %2 (%3). Échap l&apos;abandonne.</translation>
    </message>
    <message>
        <source>Ctrl+Z takes back: %1</source>
        <translation>Ctrl+Z annule : %1</translation>
    </message>
    <message>
        <source>Ctrl+Z: nothing to take back</source>
        <translation>Ctrl+Z : rien à annuler</translation>
    </message>
    <message>
        <source>Ctrl+Y does again: %1</source>
        <translation>Ctrl+Y rétablit : %1</translation>
    </message>
    <message>
        <source>Ctrl+Y: nothing to do again</source>
        <translation>Ctrl+Y : rien à rétablir</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Help file has been moved from its normal location.  Please reinstall the program.</source>
        <translation>Le fichier d&apos;aide a été déplacé de son emplacement habituel.  Veuillez réinstaller le programme.</translation>
    </message>
    <message>
        <source>Pucklight Help</source>
        <translation>Aide de Pucklight</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Allow remote control (on for this run: --remote-control)</source>
        <translation>Autoriser la commande à distance (active pour cette session : --remote-control)</translation>
    </message>
    <message>
        <source>This run publishes to %1, as --mqtt on the command line asks; what is set here applies when Pucklight starts without it.</source>
        <translation>Cette session publie vers %1, comme le demande --mqtt sur la ligne de commande ; ce qui est réglé ici s’applique quand Pucklight démarre sans cette option.</translation>
    </message>
    <message>
        <source>Sounds *.wav|*.wav</source>
        <extracomment>A file filter: a description, &quot;|&quot;, the patterns. Only the description is translated.</extracomment>
        <translation>Sons *.wav|*.wav</translation>
    </message>
    <message>
        <source>Pictures (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png</source>
        <extracomment>A file filter: a description, &quot;|&quot;, the patterns. Only the description is translated.</extracomment>
        <translation>Images (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png</translation>
    </message>
    <message>
        <source>start / stop the clock</source>
        <translation>démarrer / arrêter le chrono</translation>
    </message>
    <message>
        <source>reset the clock</source>
        <translation>réinitialiser le chrono</translation>
    </message>
    <message>
        <source>clear a number</source>
        <translation>effacer un nombre</translation>
    </message>
    <message>
        <source>switch between clock and game time</source>
        <translation>basculer entre l&apos;heure et le temps de jeu</translation>
    </message>
    <message>
        <source>start / stop an independent penalty clock</source>
        <translation>démarrer / arrêter une pénalité seule</translation>
    </message>
    <message>
        <source>sound the buzzer</source>
        <translation>déclencher la sonnerie</translation>
    </message>
    <message>
        <source>sound the horn</source>
        <translation>déclencher le klaxon</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>[No File Selected]</source>
        <translation>[Aucun fichier choisi]</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Rétablir les couleurs</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the colors?</source>
        <translation>Voulez-vous vraiment rétablir les couleurs?</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Rétablir les touches</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the keys?</source>
        <translation>Voulez-vous vraiment rétablir les touches?</translation>
    </message>
    <message>
        <source>The control page for a phone needs the server: start Pucklight with --serve PORT.</source>
        <translation>La page de commande pour un téléphone demande le serveur : lancez Pucklight avec --serve PORT.</translation>
    </message>
    <message>
        <source>A phone that scans the code opens the control page with the token:
%1</source>
        <translation>Un téléphone qui lit le code ouvre la page de commande avec le jeton :
%1</translation>
    </message>
    <message>
        <source>New token</source>
        <translation>Nouveau jeton</translation>
    </message>
    <message>
        <source>The old token stops working: phones and buttons that use it must be given the new one. Make a new token?</source>
        <translation>L’ancien jeton cessera de fonctionner : les téléphones et boutons qui l’utilisent devront recevoir le nouveau. Créer un nouveau jeton ?</translation>
    </message>
</context>
<context>
    <name>frmScoreBoard</name>
    <message>
        <source>Close scoreboard</source>
        <translation>Fermer le tableau</translation>
    </message>
    <message>
        <source>A clock is running. Close the scoreboard?</source>
        <translation>Un chrono est en marche. Fermer le tableau?</translation>
    </message>
    <message>
        <source>The game is saved and can be resumed at the next start.</source>
        <translation>La partie est enregistrée et pourra être reprise au prochain démarrage.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Keep running</source>
        <translation>&amp;Continuer</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>frmWaiting</name>
    <message>
        <source>Waiting penalties</source>
        <translation>Pénalités en attente</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Player, Tab, time, Enter adds. Delete removes the selected penalty. Escape closes.</source>
        <translation>Joueur, Tab, temps, Entrée ajoute. Suppr retire la pénalité choisie. Échap ferme.</translation>
    </message>
    <message>
        <source>A team can have no more than %1 penalties waiting.</source>
        <translation>Une équipe ne peut pas avoir plus de %1 pénalités en attente.</translation>
    </message>
    <message>
        <source>The time must be from 0.01 to 9.59 (minutes.seconds).</source>
        <translation>Le temps doit être compris entre 0.01 et 9.59 (minutes.secondes).</translation>
    </message>
</context>
</TS>
