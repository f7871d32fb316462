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
