<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
<context>
    <name>CommonDialogs</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nej</translation>
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
        <translation>Hemma</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Borta</translation>
    </message>
    <message>
        <source>GOAL</source>
        <translation>MÅL</translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation>Utv.</translation>
    </message>
    <message>
        <source>SHOTS ON GOAL</source>
        <translation>SKOTT PÅ MÅL</translation>
    </message>
    <message>
        <source>PERIOD</source>
        <translation>PERIOD</translation>
    </message>
    <message>
        <source>Player Penalty</source>
        <translation>Utvisningar</translation>
    </message>
    <message>
        <source>Keyboard Controls</source>
        <translation>Tangenter</translation>
    </message>
    <message>
        <source>Color Controls</source>
        <translation>Färger</translation>
    </message>
    <message>
        <source>Text Controls</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Start / Stop Penalty Clock</source>
        <translation>Start / stopp utvisning</translation>
    </message>
    <message>
        <source>Start / Stop  Clock</source>
        <translation>Start / stopp klocka</translation>
    </message>
    <message>
        <source>Reset Clock</source>
        <translation>Återställ klockan</translation>
    </message>
    <message>
        <source>Horn</source>
        <translation>Signalhorn</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>Game / Clock Switch</source>
        <translation>Växla speltid / klocka</translation>
    </message>
    <message>
        <source># Clear Key</source>
        <translation>Radera ett tal</translation>
    </message>
    <message>
        <source>Numlock Options:</source>
        <translation>NumLock:</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>Normalt läge</translation>
    </message>
    <message>
        <source>Keep Numlock On</source>
        <translation>Håll NumLock på</translation>
    </message>
    <message>
        <source>Keep Numlock Off</source>
        <translation>Håll NumLock av</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Återställ tangenter</translation>
    </message>
    <message>
        <source>Buzzer File:</source>
        <translation>Summerljud:</translation>
    </message>
    <message>
        <source>Change Buzzer Sound</source>
        <translation>Byt summerljud</translation>
    </message>
    <message>
        <source>Horn Sound:</source>
        <translation>Hornljud:</translation>
    </message>
    <message>
        <source>Change Horn Sound</source>
        <translation>Byt hornljud</translation>
    </message>
    <message>
        <source>Time Color:</source>
        <translation>Tidsfärg:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändra</translation>
    </message>
    <message>
        <source>Score Color:</source>
        <translation>Resultatfärg:</translation>
    </message>
    <message>
        <source>Border Color:</source>
        <translation>Ramfärg:</translation>
    </message>
    <message>
        <source>Back Color:</source>
        <translation>Bakgrundsfärg:</translation>
    </message>
    <message>
        <source>Period Color:</source>
        <translation>Periodfärg:</translation>
    </message>
    <message>
        <source>Home Color:</source>
        <translation>Hemmafärg:</translation>
    </message>
    <message>
        <source>LED Background:</source>
        <translation>LED-bakgrund:</translation>
    </message>
    <message>
        <source>LED Selected</source>
        <translation>Markerad LED</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Bredd:</translation>
    </message>
    <message>
        <source>Visitor Color:</source>
        <translation>Bortafärg:</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Återställ färger</translation>
    </message>
    <message>
        <source>Home Name:</source>
        <translation>Hemmalagets namn:</translation>
    </message>
    <message>
        <source>Visitor Name:</source>
        <translation>Bortalagets namn:</translation>
    </message>
    <message>
        <source>Home Picture</source>
        <translation>Hemmalagets bild</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Rensa</translation>
    </message>
    <message>
        <source>Visitor Picture</source>
        <translation>Bortalagets bild</translation>
    </message>
    <message>
        <source>Scoreboard Picture</source>
        <translation>Tavlans bild</translation>
    </message>
    <message>
        <source>Digit Type:</source>
        <translation>Siffertyp:</translation>
    </message>
    <message>
        <source>Lines|Dots</source>
        <extracomment>The list&apos;s entries, separated by &quot;|&quot;.</extracomment>
        <translation>Linjer|Punkter</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Exempel:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Avbryt</translation>
    </message>
    <message>
        <source>This is not a valid key, please choose another or close this window to return.</source>
        <translation>Ogiltig tangent. Välj en annan eller stäng fönstret för att gå tillbaka.</translation>
    </message>
    <message>
        <source>by Velmaro</source>
        <translation>av Velmaro</translation>
    </message>
    <message>
        <source>Click to continue.</source>
        <translation>Klicka för att börja.</translation>
    </message>
    <message>
        <source>Press &apos; F1 &apos; to view Help from the scoreboard.</source>
        <translation>Tryck &apos; F1 &apos; på tavlan för hjälp.</translation>
    </message>
    <message>
        <source>Press &apos; F2 &apos; to set Options from the scoreboard.</source>
        <translation>Tryck &apos; F2 &apos; på tavlan för alternativ.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Alternativ</translation>
    </message>
    <message>
        <source>Board Caption:</source>
        <translation>Tavlans rubrik:</translation>
    </message>
</context>
<context>
    <name>GameSaving</name>
    <message>
        <source>Saved today at %1.</source>
        <translation>Sparad i dag kl. %1.</translation>
    </message>
    <message>
        <source>Saved on %1 at %2.</source>
        <translation>Sparad %1 kl. %2.</translation>
    </message>
    <message>
        <source>Resume game</source>
        <translation>Återuppta matchen</translation>
    </message>
    <message>
        <source>Resume the last game?</source>
        <translation>Återuppta den senaste matchen?</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Återuppta</translation>
    </message>
    <message>
        <source>&amp;New game</source>
        <translation>&amp;Ny match</translation>
    </message>
    <message>
        <source>Another board is running</source>
        <translation>En annan tavla är igång</translation>
    </message>
    <message>
        <source>Another Pucklight board is running on this computer and saves its game. This board does not save its game.</source>
        <translation>En annan Pucklight-tavla är igång på den här datorn och sparar sin match. Den här tavlan sparar inte sin match.</translation>
    </message>
    <message>
        <source>Its game is kept in %1.</source>
        <translation>Dess match sparas i %1.</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Backspace</source>
        <translation>Backsteg</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Retur</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Pause/Break</source>
        <translation>Pause/Break</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page Up</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page Down</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Numpad *</source>
        <translation>Num *</translation>
    </message>
    <message>
        <source>Numpad /</source>
        <translation>Num /</translation>
    </message>
</context>
<context>
    <name>Overlay</name>
    <message>
        <source>1st</source>
        <translation>1:a</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2:a</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3:e</translation>
    </message>
    <message>
        <source>%1th</source>
        <extracomment>A period from the fourth on: &quot;4th&quot;, &quot;5th&quot;...</extracomment>
        <translation>%1:e</translation>
    </message>
    <message>
        <source>Intermission</source>
        <translation>Periodpaus</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>Slut</translation>
    </message>
    <message>
        <source>OT</source>
        <extracomment>Overtime, the first period after the regular ones.</extracomment>
        <translation>Förl.</translation>
    </message>
    <message>
        <source>%1OT</source>
        <extracomment>The second, third... overtime: &quot;2OT&quot;.</extracomment>
        <translation>Förl. %1</translation>
    </message>
    <message>
        <source>en</source>
        <comment>The code of this language, as a web page names it</comment>
        <translation>sv</translation>
    </message>
    <message>
        <source>Shots</source>
        <comment>Shots on goal, before their number</comment>
        <translation>Skott</translation>
    </message>
    <message>
        <source>PP</source>
        <comment>Power play, before the time it has left</comment>
        <translation>PP</translation>
    </message>
    <message>
        <source>%1 ON %2</source>
        <comment>The skaters of each team: 5 ON 3, the larger number first</comment>
        <translation>%1 MOT %2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Home</source>
        <translation>Hemma</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Borta</translation>
    </message>
</context>
<context>
    <name>frmChooseKey</name>
    <message>
        <source>Choose Key</source>
        <translation>Välj tangent</translation>
    </message>
    <message>
        <source>Press the key you would like to %1.</source>
        <extracomment>%1 is what the key does, as &quot;sound the horn&quot;.</extracomment>
        <translation>Tryck på tangenten som ska %1.</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Help file has been moved from its normal location.  Please reinstall the program.</source>
        <translation>Hjälpfilen har flyttats från sin vanliga plats.  Installera om programmet.</translation>
    </message>
    <message>
        <source>Pucklight Help</source>
        <translation>Hjälp för Pucklight</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Sounds *.wav|*.wav</source>
        <extracomment>A file filter: a description, &quot;|&quot;, the patterns. Only the description is translated.</extracomment>
        <translation>Ljud *.wav|*.wav</translation>
    </message>
    <message>
        <source>Pictures (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png</source>
        <extracomment>A file filter: a description, &quot;|&quot;, the patterns. Only the description is translated.</extracomment>
        <translation>Bilder (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png</translation>
    </message>
    <message>
        <source>start / stop the clock</source>
        <translation>starta / stoppa klockan</translation>
    </message>
    <message>
        <source>reset the clock</source>
        <translation>återställa klockan</translation>
    </message>
    <message>
        <source>clear a number</source>
        <translation>radera ett tal</translation>
    </message>
    <message>
        <source>switch between clock and game time</source>
        <translation>växla mellan klockslag och speltid</translation>
    </message>
    <message>
        <source>start / stop an independent penalty clock</source>
        <translation>starta / stoppa en enskild utvisning</translation>
    </message>
    <message>
        <source>sound the buzzer</source>
        <translation>låta summern ljuda</translation>
    </message>
    <message>
        <source>sound the horn</source>
        <translation>låta signalhornet ljuda</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Alternativ</translation>
    </message>
    <message>
        <source>[No File Selected]</source>
        <translation>[Ingen fil vald]</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Återställ färger</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the colors?</source>
        <translation>Vill du verkligen återställa färgerna?</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Återställ tangenter</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the keys?</source>
        <translation>Vill du verkligen återställa tangenterna?</translation>
    </message>
</context>
<context>
    <name>frmScoreBoard</name>
    <message>
        <source>Close scoreboard</source>
        <translation>Stäng resultattavlan</translation>
    </message>
    <message>
        <source>A clock is running. Close the scoreboard?</source>
        <translation>En klocka går. Stänga resultattavlan?</translation>
    </message>
    <message>
        <source>The game is saved and can be resumed at the next start.</source>
        <translation>Matchen är sparad och kan återupptas vid nästa start.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
    <message>
        <source>&amp;Keep running</source>
        <translation>&amp;Fortsätt</translation>
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
        <translation>Väntande utvisningar</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>Player, Tab, time, Enter adds. Delete removes the selected penalty. Escape closes.</source>
        <translation>Spelare, Tab, tid, Enter lägger till. Delete tar bort den valda utvisningen. Esc stänger.</translation>
    </message>
    <message>
        <source>A team can have no more than %1 penalties waiting.</source>
        <translation>Ett lag kan inte ha fler än %1 väntande utvisningar.</translation>
    </message>
    <message>
        <source>The time must be from 0.01 to 9.59 (minutes.seconds).</source>
        <translation>Tiden måste vara mellan 0.01 och 9.59 (minuter.sekunder).</translation>
    </message>
</context>
</TS>
