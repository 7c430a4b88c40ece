#!/usr/bin/env python3
"""Writes english.lang and french.lang beside this script, and the web
page's own texts to page_english.lang and page_french.lang.

The program carries english.lang and french.lang as resources of type
LANGUAGE; the web page carries all four, its own texts in a table apart so
that the program's stay as they are. Each is
UTF-16LE text with the byte-order mark FF FE and CR LF line ends: a [font]
section, an empty line, then the [text] section with one KEY="text" line
per entry. Both tables list the same keys in the same order.

Run it after editing TEXTS and commit the regenerated files with it.
"""

from pathlib import Path

# The [font] keys are kept for the sake of the table format; the windows
# choose their own fonts.
FONT = [
    'DEFAULT_UI_FACENAME="Verdana123"',
    "DEFAULT_UI_CHARSET=1",
    "DEFAULT_UI_CODEPAGE=409",
]

# (key, English text, French text). Leading, trailing and doubled blanks are
# part of the texts. A two-line message uses key nnn for its first line and
# nnn0 for its second. The texts up to IDS_STRING196 are those the tables
# were given with, but for three French ones that said something else than
# the English; tests/core/lang_files_test.cpp lists those and checks that
# nothing else differs.
TEXTS = [
    ("IDS_STRING101", "Dash cam setting",
     "Paramétrage de la Dashcam"),
    ("IDS_STRING102", "Common",
     "Commun"),
    ("IDS_STRING103", "Continuous Mode",
     "Mode Continu"),
    ("IDS_STRING104", "Parking Mode",
     "Mode Stationnement"),
    ("IDS_STRING105", "Additional functions",
     "Supplément."),
    ("IDS_STRING106", "Initialize",
     "Initialiser"),
    ("IDS_STRING107", "Cancel",
     "Annuler"),
    ("IDS_STRING108", "Save",
     "Enregistrer"),
    ("IDS_STRING109", "Brightness",
     "Luminosité"),
    ("IDS_STRING110", "Front",
     "Avant"),
    ("IDS_STRING111", "Rear",
     "Arrière"),
    ("IDS_STRING112", "Dark",
     "Foncé"),
    ("IDS_STRING113", "Light",
     "Clair"),
    ("IDS_STRING114", "Voice recording",
     "Enregistrement vocal"),
    ("IDS_STRING115", "Enabled",
     "Activé"),
    ("IDS_STRING116", "Disabled",
     "Désactivé"),
    ("IDS_STRING117", "Volume",
     "Volume"),
    ("IDS_STRING118", "Voice guidance",
     "Guidage vocal"),
    ("IDS_STRING119", "Voice guidance for safe driving section",
     "Guidage vocal pour la section de la conduite sécurisée"),
    ("IDS_STRING120", "Resolution",
     "Résolution"),
    ("IDS_STRING121", "Number of frames",
     "Nombre de cadres"),
    ("IDS_STRING122", "Video quality",
     "Qualité de la vidéo"),
    ("IDS_STRING123", "Low",
     "Faible"),
    ("IDS_STRING124", "Mid",
     "Moyenne"),
    ("IDS_STRING125", "High",
     "Elevée"),
    ("IDS_STRING126", "Impact sensitivity",
     "Sensibilité de l'impact"),
    ("IDS_STRING127", "Insensitive",
     "Insensible"),
    ("IDS_STRING128", "Sensitive",
     "Sensible"),
    ("IDS_STRING129", "VGA (640 x 480)",
     "VGA (640 x 480)"),
    ("IDS_STRING130", "HD (1280 x 720)",
     "HD (1280 x 720)"),
    ("IDS_STRING131", "FHD (1920 x 1080)",
     "FHD (1920 x 1080)"),
    ("IDS_STRING132", "10 fps",
     "10 fps"),
    ("IDS_STRING133", "15 fps",
     "15 fps"),
    ("IDS_STRING134", "30 fps",
     "30 fps"),
    ("IDS_STRING135", "Enabled (Switch to Parking Mode, once the engine is turned off)",
     "Activé (Basculer en mode Stationnement, uniquement quand le moteur est arrêté)"),
    ("IDS_STRING136", "Disabled  (Turn off the dash cam, once the engine is turned off)",
     "Désactivé (Éteindre la Dashcam,  uniquement quand le moteur est arrêté)"),
    ("IDS_STRING137", "Motion detection",
     "Détection de mouvement"),
    ("IDS_STRING138", "Motion detection area",
     "Zone de détection de mouvement"),
    ("IDS_STRING139", "Set",
     "Paramétrer"),
    ("IDS_STRING140", "Timer setting for stop recording",
     "Paramétrage de la minuterie pour l'arrêt de l'enregistrement"),
    ("IDS_STRING141", "Time",
     "Durée"),
    ("IDS_STRING142", "Battery voltage setting for stop recording",
     "Paramétrage du voltage de batterie pour l'arrêt de l'enregistrement"),
    ("IDS_STRING143", "Vehicle voltage 12V",
     "Voltage du véhicule : 12V"),
    ("IDS_STRING144", "Vehicle voltage 24V",
     "Voltage du véhicule : 24V"),
    ("IDS_STRING145", "Overwriting video",
     "Écrasement de la vidéo"),
    ("IDS_STRING146", "Capture still images",
     "Capter des images fixes"),
    ("IDS_STRING147", "Incident recording in continuous mode",
     "Enregistrement de l'incident en mode Continu"),
    ("IDS_STRING148", "Parking motion",
     "Mouvement en mode Stationnement"),
    ("IDS_STRING149", "Incident recording in parking mode",
     "Enregistrement de l'incident en mode Stationnement"),
    ("IDS_STRING150", "Manual recording",
     "Enregistrement manuel"),
    ("IDS_STRING151", "Mode 1",
     "Mode 1"),
    ("IDS_STRING152", "Mode 2",
     "Mode 2"),
    ("IDS_STRING153", "Mode 3",
     "Mode 3"),
    ("IDS_STRING154", "Disabled",
     "Désactivé"),
    ("IDS_STRING155", "Security LED",
     "Voyant de sécurité"),
    ("IDS_STRING156", "Memory partition",
     "Répartition de la mémoire"),
    ("IDS_STRING157", "A Type(recommended)",
     "A Type (recommendé)"),
    ("IDS_STRING158", "B Type",
     "B Type"),
    ("IDS_STRING159", "C Type",
     "C Type"),
    ("IDS_STRING160", "Formatting memory card",
     "Formatage de la carte mémoire"),
    ("IDS_STRING161", "Formatting",
     "Formatage"),
    ("IDS_STRING162", "Formatting memory card",
     "Formatage de la carte mémoire"),
    ("IDS_STRING163", "Caution: All data will be deleted, if you format the memory card.",
     "Attention :  s vous formattez la carte mémoire, toutes les données seront supprimées"),
    ("IDS_STRING1630", "Select (Yes) to format or select (No) to cancel.",
     "Selectionner (Oui) pour formatter ou sélectionner (Non) pour annuler."),
    ("IDS_STRING164", "Motion detection area",
     "Zone de détection de mouvement"),
    ("IDS_STRING165", "Select the area for motion detection from the picture. The selected area will be displayed in blue.",
     "Sélectionner la zone de la détection de mouvement à partir de l'image. La zone sélectionnée s'affichera en bleu."),
    ("IDS_STRING166", "Continuous recording",
     "Enregistrement continu"),
    ("IDS_STRING167", "Confirm",
     "Confirmer"),
    ("IDS_STRING168", "Left-Right",
     "gauche-droite"),
    ("IDS_STRING169", "Blinking",
     "clignotant"),
    ("IDS_STRING170", "Depends on recording mode",
     "En fonction du mode d'enregistrement"),
    ("IDS_STRING171", "Continuous recording",
     "Enregistrement continu"),
    ("IDS_STRING172", "Incident recording in continuous mode",
     "Enregistrement de l'incident en mode Continu"),
    ("IDS_STRING173", "Parking motion",
     "Mouvement en mode Stationnement"),
    ("IDS_STRING174", "Incident recording in parking mode",
     "Enregistrement de l'incident en mode Stationnement"),
    ("IDS_STRING175", "Manual recording",
     "Enregistrement manuel"),
    ("IDS_STRING176", "Are you sure to restore the default settings?",
     "Souhaitez-vous vraiment restaurer le paramétrage par défaut ?"),
    ("IDS_STRING177", "If Parking Mode is disabled,",
     "Si le mode Stationnement est désactivé,"),
    ("IDS_STRING1770", "the dash cam stops recording when the vehicle is turned off.",
     "la dashcam arrêtera l'enregistrement une fois le moteur du véhicule arrêté."),
    ("IDS_STRING178", "Formatting memory card.",
     "Formatage de la carte mémoire."),
    ("IDS_STRING1780", "Please wait.",
     "Veuillez patienter."),
    ("IDS_STRING179", "Memory card formatted completely",
     "Le formatage de la carte mémoire est terminé"),
    ("IDS_STRING180", "D1 (720 x 480)",
     "FHD (720 x 480)"),
    ("IDS_STRING181", "Cannot format the memory card.",
     "Impossible de formater la carte mémoire"),
    ("IDS_STRING1810", "It is currently being used by Vistapane or another program.",
     "Elle est en cours d'utilisation par Vistapane ou un autre programme."),
    ("IDS_STRING182", "Setting time",
     "Paramétrage de l'heure"),
    ("IDS_STRING183", "   e.g.) ",
     "   ex. "),
    ("IDS_STRING184", "Get current time",
     "Obtenir l'heure actuelle"),
    ("IDS_STRING185", "Time zone",
     "Fuseau horaire"),
    ("IDS_STRING186", "Video date format",
     "Format de la date de la vidéo"),
    ("IDS_STRING187", "yyyy-MM-dd",
     "aaaa-mm-jj"),
    ("IDS_STRING188", "MMM-dd-yyyy",
     "MMM-jj-aaaa"),
    ("IDS_STRING189", "Disabled",
     "Désactivé"),
    ("IDS_STRING190", "Speed unit",
     "Unité de vitesse"),
    ("IDS_STRING191", "km/h",
     "km/h"),
    ("IDS_STRING192", "mph",
     "mph"),
    ("IDS_STRING193", "Language",
     "Langue"),
    ("IDS_STRING194", "English",
     "Anglais"),
    ("IDS_STRING195", "French",
     "Française"),
    ("IDS_STRING196", "Daylight Saving Time",
     "Heure d'été/heure d'hiver"),
    ("IDS_STRING197", "Cannot save the settings to the memory card.",
     "Impossible d'enregistrer le paramétrage sur la carte mémoire."),
    ("IDS_STRING1970", "Check that the card is inserted and not write-protected, then try again.",
     "Vérifiez que la carte est insérée et non protégée en écriture, puis réessayez."),
    ("IDS_STRING198", "The memory card was formatted, but not everything could be put back on it.",
     "La carte mémoire a été formatée, mais tout n'a pas pu y être remis."),
    ("IDS_STRING199", "Not put back on the card:",
     "Non remis sur la carte :"),
    ("IDS_STRING1990", "Check that the card is inserted and not write-protected, then format the "
     "same card again before closing this program to put them back.",
     "Vérifiez que la carte est insérée et non protégée en écriture, puis formatez à nouveau la "
     "même carte avant de fermer ce programme pour les y remettre."),
    ("IDS_STRING200", "The card's setup.cfg could not be read before the format, so it could not "
     "be put back.",
     "Le fichier setup.cfg de la carte n'a pas pu être lu avant le formatage ; il n'a donc pas pu "
     "être remis."),
    ("IDS_STRING201", "This memory card is too small to be formatted as FAT32.",
     "Cette carte mémoire est trop petite pour être formatée en FAT32."),
    ("IDS_STRING202", "This memory card is too large to be formatted as FAT32 (2 TB at most).",
     "Cette carte mémoire est trop grande pour être formatée en FAT32 (2 To au maximum)."),
    ("IDS_STRING203", "The card's setup.cfg could not be read before the format; the copy kept "
     "from an earlier format was put back instead.",
     "Le fichier setup.cfg de la carte n'a pas pu être lu avant le formatage ; la copie conservée "
     "d'un formatage précédent a été remise à la place."),
    # The unit a screen reader hears after the stop-recording timer's value.
    ("IDS_STRING204", "hours",
     "heures"),
]


# The web page's own texts: what only a browser needs.
PAGE_TEXTS = [
    ("IDS_WEB_OPEN", "Open",
     "Ouvrir"),
    ("IDS_WEB_OPEN_HINT",
     "Open the SETTING folder of the dash cam's memory card.",
     "Ouvrez le dossier SETTING de la carte mémoire de la Dashcam."),
    ("IDS_WEB_PICK",
     "Choose the SETTING folder of the memory card, or drop it or its files here.",
     "Choisissez le dossier SETTING de la carte mémoire, ou déposez-le ou ses fichiers ici."),
    ("IDS_WEB_COPY_BOTH",
     "Copy the downloaded setup.cfg and time.dat into the SETTING folder of the memory card, "
     "replacing the files there.",
     "Copiez les fichiers setup.cfg et time.dat téléchargés dans le dossier SETTING de la carte "
     "mémoire, en remplaçant ceux qui s'y trouvent."),
    ("IDS_WEB_COPY_SETTINGS",
     "Copy the downloaded setup.cfg into the SETTING folder of the memory card, replacing the "
     "file there, and delete time.dat from that folder if it is there.",
     "Copiez le fichier setup.cfg téléchargé dans le dossier SETTING de la carte mémoire, en "
     "remplaçant celui qui s'y trouve, et supprimez time.dat de ce dossier s'il s'y trouve."),
    ("IDS_WEB_SAVED", "The settings are saved on the memory card.",
     "Le paramétrage est enregistré sur la carte mémoire."),
    ("IDS_WEB_OPEN_FAILED", "The folder could not be read. Open it again.",
     "Le dossier n'a pas pu être lu. Ouvrez-le de nouveau."),
    ("IDS_WEB_FORMAT_NOTE",
     "A web page cannot format the memory card. Keep a copy of setup.cfg, format the card "
     "as FAT32 with your computer's own tool, then copy setup.cfg into a new SETTING folder "
     "on the card.",
     "Une page web ne peut pas formater la carte mémoire. Gardez une copie de setup.cfg, "
     "formatez la carte en FAT32 avec l'outil de votre ordinateur, puis copiez setup.cfg "
     "dans un nouveau dossier SETTING sur la carte."),
    ("IDS_WEB_KEEP_COPY", "Keep a copy of setup.cfg",
     "Garder une copie de setup.cfg"),
    ("IDS_WEB_DATE", "Date",
     "Date"),
    ("IDS_WEB_TIME", "Time of day",
     "Heure"),
]


def table(texts, column):
    lines = ["[font]", *FONT, "", "[text]"]
    for row in texts:
        key, text = row[0], row[column]
        # Values are written in double quotes and read back up to the next one.
        assert '"' not in text, key
        lines.append(f'{key}="{text}"')
    return "".join(line + "\r\n" for line in lines)


def main():
    here = Path(__file__).resolve().parent
    for texts, prefix in ((TEXTS, ""), (PAGE_TEXTS, "page_")):
        keys = [row[0] for row in texts]
        assert len(set(keys)) == len(keys), "duplicate key"
        for name, column in (("english.lang", 1), ("french.lang", 2)):
            image = b"\xff\xfe" + table(texts, column).encode("utf-16-le")
            (here / (prefix + name)).write_bytes(image)


if __name__ == "__main__":
    main()
