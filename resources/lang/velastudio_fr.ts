<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>MainWindow</name>
    <message>
        <source>data oparation console</source>
        <translation>Console d&apos;opérations sur les données</translation>
    </message>
    <message>
        <source>file(&amp;f)</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>database(&amp;d)</source>
        <translation>&amp;Base de données</translation>
    </message>
    <message>
        <source>edit(&amp;e)</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>view(&amp;v)</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>icon(&amp;i)</source>
        <translation>&amp;Icônes</translation>
    </message>
    <message>
        <source>window</source>
        <translation>Fenêtres</translation>
    </message>
    <message>
        <source>option(&amp;o)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>help(&amp;h)</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>document(&amp;d)</source>
        <translation>&amp;Documentation</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>big(&amp;b)</source>
        <translation>&amp;Grandes</translation>
    </message>
    <message>
        <source>normal(&amp;n)</source>
        <translation>&amp;Normales</translation>
    </message>
    <message>
        <source>small(&amp;s)</source>
        <translation>&amp;Petites</translation>
    </message>
    <message>
        <source>database</source>
        <translation>Base de données</translation>
    </message>
    <message>
        <source>log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>toolbar(&amp;t)</source>
        <translation>Barre d&apos;ou&amp;tils</translation>
    </message>
    <message>
        <source>statusbar(&amp;s)</source>
        <translation>Barre d&apos;é&amp;tat</translation>
    </message>
    <message>
        <source>fullscreen(&amp;f)</source>
        <translation>Plein é&amp;cran</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F11</source>
        <translation>Ctrl+Shift+F11</translation>
    </message>
    <message>
        <source>preference(&amp;p)</source>
        <translation>&amp;Préférences</translation>
    </message>
    <message>
        <source>online reference(&amp;o)</source>
        <translation>Référence en &amp;ligne</translation>
    </message>
    <message>
        <source>local(&amp;l)</source>
        <translation>Documentation &amp;locale</translation>
    </message>
    <message>
        <source>update(&amp;u)</source>
        <translation>&amp;Mise à jour</translation>
    </message>
    <message>
        <source>about(&amp;a)</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>set</source>
        <translation>Régler</translation>
    </message>
    <message>
        <source>look</source>
        <translation>Voir</translation>
    </message>
    <message>
        <source>table</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>sql</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>system(&amp;s)</source>
        <translation>&amp;Système</translation>
    </message>
    <message>
        <source>language(&amp;l)</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>quit(&amp;q)</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>new file(&amp;n)</source>
        <translation>&amp;Nouveau fichier</translation>
    </message>
    <message>
        <source>open file(&amp;o)</source>
        <translation>&amp;Ouvrir un fichier</translation>
    </message>
    <message>
        <source>save file(&amp;s)</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>save all files(&amp;a)</source>
        <translation>Enregistrer &amp;tout</translation>
    </message>
    <message>
        <source>save as (&amp;b)</source>
        <translation>Enregistrer &amp;sous</translation>
    </message>
    <message>
        <source>close file(&amp;c)</source>
        <translation>&amp;Fermer le fichier</translation>
    </message>
    <message>
        <source>close all files(&amp;f)</source>
        <translation>Fermer tous les fic&amp;hiers</translation>
    </message>
    <message>
        <source>close except file(&amp;e)</source>
        <translation>Fermer les &amp;autres fichiers</translation>
    </message>
    <message>
        <source>print file(&amp;p)</source>
        <translation>Im&amp;primer</translation>
    </message>
    <message>
        <source>refresh(&amp;r)</source>
        <translation>Actualise&amp;r</translation>
    </message>
    <message>
        <source>create table(&amp;c)</source>
        <translation>&amp;Créer une table</translation>
    </message>
    <message>
        <source>reconnect(&amp;r)</source>
        <translation>&amp;Reconnecter</translation>
    </message>
    <message>
        <source>status(&amp;s)</source>
        <translation>É&amp;tat</translation>
    </message>
    <message>
        <source>backup(&amp;b)</source>
        <translation>Sa&amp;uvegarder</translation>
    </message>
    <message>
        <source>restore(&amp;r)</source>
        <translation>Rest&amp;aurer</translation>
    </message>
    <message>
        <source>execute sql(&amp;e)</source>
        <translation>&amp;Exécuter un fichier SQL</translation>
    </message>
    <message>
        <source>load table(&amp;l)</source>
        <translation>Char&amp;ger une table</translation>
    </message>
    <message>
        <source>drop(&amp;d)</source>
        <translation>&amp;Supprimer la table</translation>
    </message>
    <message>
        <source>truncate(&amp;t)</source>
        <translation>&amp;Vider la table</translation>
    </message>
    <message>
        <source>create field(&amp;c)</source>
        <translation>Ajouter un c&amp;hamp</translation>
    </message>
    <message>
        <source>view data(&amp;v)</source>
        <translation>&amp;Voir les données</translation>
    </message>
    <message>
        <source>view field(&amp;v)</source>
        <translation>Voir les c&amp;hamps</translation>
    </message>
    <message>
        <source>import(&amp;i)</source>
        <translation>&amp;Importer</translation>
    </message>
    <message>
        <source>export(&amp;e)</source>
        <translation>E&amp;xporter</translation>
    </message>
    <message>
        <source>save table(&amp;s)</source>
        <translation>Enregistrer la ta&amp;ble</translation>
    </message>
    <message>
        <source>delete(&amp;d)</source>
        <translation>Supprimer le champ (&amp;D)</translation>
    </message>
    <message>
        <source>rename(&amp;r)</source>
        <translation>&amp;Renommer le champ</translation>
    </message>
    <message>
        <source>modify(&amp;m)</source>
        <translation>&amp;Modifier le champ</translation>
    </message>
    <message>
        <source>cut(&amp;t)</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>copy(&amp;c)</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>paste(&amp;p)</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>redo(&amp;r)</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>undo(&amp;u)</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>goto error(&amp;g)</source>
        <translation>Aller à l&apos;&amp;erreur</translation>
    </message>
    <message>
        <source>line begin</source>
        <translation>Début de ligne</translation>
    </message>
    <message>
        <source>line end</source>
        <translation>Fin de ligne</translation>
    </message>
    <message>
        <source>word begin</source>
        <translation>Début du mot</translation>
    </message>
    <message>
        <source>word end</source>
        <translation>Fin du mot</translation>
    </message>
    <message>
        <source>delete selection</source>
        <translation>Supprimer la sélection</translation>
    </message>
    <message>
        <source>select beside</source>
        <translation>Sélectionner l&apos;entourage</translation>
    </message>
    <message>
        <source>select all</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>select line</source>
        <translation>Sélectionner la ligne</translation>
    </message>
    <message>
        <source>select word</source>
        <translation>Sélectionner le mot</translation>
    </message>
    <message>
        <source>find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>execute selection</source>
        <translation>Exécuter la sélection</translation>
    </message>
    <message>
        <source>execute current line</source>
        <translation>Exécuter la ligne courante</translation>
    </message>
    <message>
        <source>format selection</source>
        <translation>Mettre en forme la sélection</translation>
    </message>
    <message>
        <source>open recent files(&amp;r)</source>
        <translation>Fichiers &amp;récents</translation>
    </message>
    <message>
        <source>connected to %1:%2</source>
        <translation>Connecté à %1:%2</translation>
    </message>
    <message>
        <source>the language change to 中文, the application need restart, restart now?</source>
        <translation>La langue passe au chinois (中文) ; l&apos;application doit redémarrer. Redémarrer maintenant ?</translation>
    </message>
    <message>
        <source>the language change to English, the application need restart, restart now?</source>
        <translation>La langue passe à l&apos;anglais (English) ; l&apos;application doit redémarrer. Redémarrer maintenant ?</translation>
    </message>
    <message>
        <source>the language change to Français, the application need restart, restart now?</source>
        <translation>La langue passe au français ; l&apos;application doit redémarrer. Redémarrer maintenant ?</translation>
    </message>
    <message>
        <source>the language change to Japanese, the application need restart, restart now?</source>
        <translation>La langue passe au japonais (日本語) ; l&apos;application doit redémarrer. Redémarrer maintenant ?</translation>
    </message>
    <message>
        <source>language changed</source>
        <translation>Langue changée</translation>
    </message>
    <message>
        <source>the application could not be restarted, the language changes at the next start!</source>
        <translation>Impossible de redémarrer l&apos;application ; la langue changera au prochain démarrage !</translation>
    </message>
    <message>
        <source>help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>the manual &apos;%1&apos; is not found!</source>
        <translation>Le manuel « %1 » est introuvable !</translation>
    </message>
    <message>
        <source>no program opens &apos;%1&apos;!</source>
        <translation>Aucun programme n&apos;ouvre « %1 » !</translation>
    </message>
    <message>
        <source>there is new version, please update from website!</source>
        <translation>Une nouvelle version existe ; mettez à jour depuis le site web !</translation>
    </message>
    <message>
        <source>the current version is latest version!</source>
        <translation>La version actuelle est la plus récente !</translation>
    </message>
    <message>
        <source>check version failed!</source>
        <translation>La vérification de version a échoué !</translation>
    </message>
    <message>
        <source>version infomation</source>
        <translation>Informations de version</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>réussi</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
    <message>
        <source>reconnect information</source>
        <translation>Reconnexion</translation>
    </message>
    <message>
        <source>reconnect sussesful!</source>
        <translation>Reconnexion réussie !</translation>
    </message>
    <message>
        <source>reconnect failed!</source>
        <translation>La reconnexion a échoué !</translation>
    </message>
    <message>
        <source>backup database to file</source>
        <translation>Sauvegarder la base dans un fichier</translation>
    </message>
    <message>
        <source>backup result(local)</source>
        <translation>Résultat de la sauvegarde</translation>
    </message>
    <message>
        <source>backup database to file &apos;%1&apos; is %2!</source>
        <translation>Sauvegarde de la base dans le fichier « %1 » : %2 !</translation>
    </message>
    <message>
        <source>restore database from file</source>
        <translation>Restaurer la base depuis un fichier</translation>
    </message>
    <message>
        <source>restore result(local)</source>
        <translation>Résultat de la restauration</translation>
    </message>
    <message>
        <source>restore database frome file &apos;%1&apos; is %2!</source>
        <translation>Restauration de la base depuis le fichier « %1 » : %2 !</translation>
    </message>
    <message>
        <source>load table from file</source>
        <translation>Charger une table depuis un fichier</translation>
    </message>
    <message>
        <source>load table result</source>
        <translation>Résultat du chargement</translation>
    </message>
    <message>
        <source>load file &apos;%1&apos; as table is %2!</source>
        <translation>Chargement du fichier « %1 » comme table : %2 !</translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file</source>
        <translation>Enregistrer la table « %1 » dans un fichier</translation>
    </message>
    <message>
        <source>save table result</source>
        <translation>Résultat de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>save table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>Enregistrement de la table « %1 » dans le fichier « %2 » : %3 !</translation>
    </message>
    <message>
        <source>export table: %1 to csv/csvs file</source>
        <translation>Exporter la table %1 en fichier csv/csvs</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>Résultat de l&apos;exportation</translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>Exportation de la table « %1 » vers le fichier « %2 » : %3 !</translation>
    </message>
    <message>
        <source>import data from csv/csvs file to table: %1</source>
        <translation>Importer des données csv/csvs dans la table %1</translation>
    </message>
    <message>
        <source>import table result</source>
        <translation>Résultat de l&apos;importation</translation>
    </message>
    <message>
        <source>import file &apos;%1&apos; to table &apos;%2&apos; is %3!</source>
        <translation>Importation du fichier « %1 » dans la table « %2 » : %3 !</translation>
    </message>
    <message>
        <source>drop table warnning</source>
        <translation>Suppression de table</translation>
    </message>
    <message>
        <source>drop table will delete table from server, do your want to drop table &apos;%1&apos; really?</source>
        <translation>La suppression efface la table du serveur. Voulez-vous vraiment supprimer la table « %1 » ?</translation>
    </message>
    <message>
        <source>drop table result</source>
        <translation>Résultat de la suppression</translation>
    </message>
    <message>
        <source>drop table &apos;%1&apos; from database is %2!</source>
        <translation>Suppression de la table « %1 » de la base : %2 !</translation>
    </message>
    <message>
        <source>truncate table warnning</source>
        <translation>Vidage de table</translation>
    </message>
    <message>
        <source>truncate table will clear all table &apos;s data, do your want to truncate table &apos;%1&apos; really?</source>
        <translation>Vider la table efface toutes ses données. Voulez-vous vraiment vider la table « %1 » ?</translation>
    </message>
    <message>
        <source>truncate table result</source>
        <translation>Résultat du vidage</translation>
    </message>
    <message>
        <source>truncate table &apos;%1&apos; from database is %2!</source>
        <translation>Vidage de la table « %1 » : %2 !</translation>
    </message>
    <message>
        <source>delete field warnning</source>
        <translation>Suppression de champ</translation>
    </message>
    <message>
        <source>delete field will delete field from table, do your want to delete field &apos;%2&apos; from table &apos;%1&apos; really?</source>
        <translation>Le champ sera retiré de la table. Voulez-vous vraiment supprimer le champ « %2 » de la table « %1 » ?</translation>
    </message>
    <message>
        <source>delete field result</source>
        <translation>Résultat de la suppression du champ</translation>
    </message>
    <message>
        <source>delete field &apos;%1&apos; from table &apos;%2&apos; is %3!</source>
        <translation>Suppression du champ « %1 » de la table « %2 » : %3 !</translation>
    </message>
    <message>
        <source>new table</source>
        <translation>Nouvelle table</translation>
    </message>
    <message>
        <source>add field to table: %1</source>
        <translation>Ajouter un champ à la table %1</translation>
    </message>
    <message>
        <source>modify field &apos;%2&apos; of table: %1</source>
        <translation>Modifier le champ « %2 » de la table %1</translation>
    </message>
    <message>
        <source>rename field &apos;%2&apos; of table: %1</source>
        <translation>Renommer le champ « %2 » de la table %1</translation>
    </message>
    <message>
        <source>view fields of table: %1</source>
        <translation>Champs de la table %1</translation>
    </message>
    <message>
        <source>data of table: %1</source>
        <translation>Données de la table %1</translation>
    </message>
    <message>
        <source>clear file list</source>
        <translation>Effacer la liste</translation>
    </message>
    <message>
        <source>open file failed</source>
        <translation>Échec de l&apos;ouverture</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a script file.</source>
        <translation>« %1 » est un dossier, pas un fichier de script.</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be opened: %2</source>
        <translation>Impossible d&apos;ouvrir le fichier « %1 » : %2</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is larger than %2 MiB and is not opened.</source>
        <translation>Le fichier « %1 » dépasse %2 Mio ; il n&apos;est pas ouvert.</translation>
    </message>
    <message>
        <source>the file grew while it was read</source>
        <translation>le fichier a grossi pendant sa lecture</translation>
    </message>
    <message>
        <source>save file failed</source>
        <translation>Échec de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved: %2</source>
        <translation>Impossible d&apos;enregistrer le fichier « %1 » : %2</translation>
    </message>
    <message>
        <source>scriptfile</source>
        <translation>fichier de script</translation>
    </message>
    <message>
        <source>set sql file&apos;s location</source>
        <translation>Emplacement du fichier SQL</translation>
    </message>
    <message>
        <source>open sql file to script editor</source>
        <translation>Ouvrir un fichier SQL dans l&apos;éditeur</translation>
    </message>
    <message>
        <source>file not exists</source>
        <translation>Fichier inexistant</translation>
    </message>
    <message>
        <source>the file is not exists do your want to create new file?</source>
        <translation>Le fichier n&apos;existe pas. Voulez-vous le créer ?</translation>
    </message>
    <message>
        <source>save as sql file to location</source>
        <translation>Enregistrer le fichier SQL sous</translation>
    </message>
    <message>
        <source>file path is same</source>
        <translation>Même chemin</translation>
    </message>
    <message>
        <source>the selected path is same as original!</source>
        <translation>Le chemin choisi est celui d&apos;origine !</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; is open in another tab.</source>
        <translation>Le fichier « %1 » est ouvert dans un autre onglet.</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be saved. close it and lose the changes?</source>
        <translation>Impossible d&apos;enregistrer le fichier « %1 ». Le fermer et perdre les modifications ?</translation>
    </message>
    <message>
        <source>some scripts could not be saved. quit and lose their changes?</source>
        <translation>Certains scripts n&apos;ont pas pu être enregistrés. Quitter et perdre leurs modifications ?</translation>
    </message>
    <message>
        <source>open sql file to execute</source>
        <translation>Ouvrir un fichier SQL à exécuter</translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation>Échec de l&apos;analyse SQL</translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation>L&apos;analyse du SQL a échoué à la position %1</translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation>Exécution</translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation>L&apos;exécution du SQL « %1 » a échoué !</translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation>L&apos;exécution a été arrêtée après l&apos;instruction %1 sur %2.</translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation>Tout le SQL a été exécuté avec succès !</translation>
    </message>
</context>
<context>
    <name>about_dlg</name>
    <message>
        <source>about data oparation console</source>
        <translation>À propos de la console d&apos;opérations sur les données</translation>
    </message>
    <message>
        <source>About: Database client is GUI client develop by vela database team.</source>
        <translation>À propos : ce client de base de données est un client graphique développé par l&apos;équipe de la base Vela.</translation>
    </message>
    <message>
        <source>Made by the velastudio developers; free software under the MIT licence.</source>
        <translation>Réalisé par les développeurs de velastudio ; logiciel libre sous licence MIT.</translation>
    </message>
    <message>
        <source>Version: 0.2.3, Build Date: 2024-05-12</source>
        <translation>Version : 0.2.3, date de construction : 2024-05-12</translation>
    </message>
    <message>
        <source>Licenses(&amp;L)</source>
        <translation>&amp;Licences</translation>
    </message>
    <message>
        <source>vela database client license</source>
        <translation>Licences du client de base de données Vela</translation>
    </message>
</context>
<context>
    <name>col_info</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>TableName</source>
        <translation>Nom de la table</translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
height:25px;
</source>
        <translation>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
height:25px;
</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
</source>
        <translation>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répétable</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>réussi</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
    <message>
        <source>create table result</source>
        <translation>Résultat de la création</translation>
    </message>
    <message>
        <source>create table &apos;%1&apos; is %2!</source>
        <translation>Création de la table « %1 » : %2 !</translation>
    </message>
    <message>
        <source>create field result</source>
        <translation>Résultat de l&apos;ajout de champ</translation>
    </message>
    <message>
        <source>create all field is %1!</source>
        <translation>Création de tous les champs : %1 !</translation>
    </message>
    <message>
        <source>create field &apos;%1&apos; is %2!</source>
        <translation>Création du champ « %1 » : %2 !</translation>
    </message>
    <message>
        <source>modify field result</source>
        <translation>Résultat de la modification</translation>
    </message>
    <message>
        <source>modify field is %1!</source>
        <translation>Modification du champ : %1 !</translation>
    </message>
    <message>
        <source>rename field result</source>
        <translation>Résultat du renommage</translation>
    </message>
    <message>
        <source>rename field &apos;%1&apos; to &apos;%2&apos; is %3!</source>
        <translation>Renommage du champ « %1 » en « %2 » : %3 !</translation>
    </message>
</context>
<context>
    <name>data_view</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>limit first k</source>
        <translation>limiter aux k premières</translation>
    </message>
    <message>
        <source>filter</source>
        <translation>filtre</translation>
    </message>
    <message>
        <source>post operate</source>
        <translation>post-traitement</translation>
    </message>
    <message>
        <source>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
selection-background-color: rgb(163, 163, 163);</source>
        <translation>background-color: rgb(250, 250, 255);
border:1px solid rgb(147, 164, 173);
border-radius:2px;
selection-background-color: rgb(163, 163, 163);</translation>
    </message>
    <message>
        <source>Number Display Mode</source>
        <translation>Affichage des nombres</translation>
    </message>
    <message>
        <source>Nor</source>
        <translation>Norm.</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>Déc</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>Bin</translation>
    </message>
    <message>
        <source>immediate mode</source>
        <translation>mode immédiat</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>export</source>
        <translation>exporter</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>rechercher du texte</translation>
    </message>
    <message>
        <source>ctrl+f</source>
        <translation>ctrl+f</translation>
    </message>
    <message>
        <source>replace text</source>
        <translation>remplacer du texte</translation>
    </message>
    <message>
        <source>ctrl+h</source>
        <translation>ctrl+h</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>remplacer</translation>
    </message>
    <message>
        <source>post processing</source>
        <translation>post-traitement</translation>
    </message>
    <message>
        <source>append</source>
        <translation>ajouter</translation>
    </message>
    <message>
        <source>analysis</source>
        <translation>analyse</translation>
    </message>
    <message>
        <source>modeling</source>
        <translation>modélisation</translation>
    </message>
    <message>
        <source>visualization</source>
        <translation>visualisation</translation>
    </message>
    <message>
        <source>pending changes</source>
        <translation>modifications en attente</translation>
    </message>
    <message>
        <source>apply the pending changes?</source>
        <translation>Appliquer les modifications en attente ?</translation>
    </message>
    <message>
        <source>the query failed.</source>
        <translation>La requête a échoué.</translation>
    </message>
    <message>
        <source>the query failed: %1</source>
        <translation>La requête a échoué : %1</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 lignes</translation>
    </message>
    <message>
        <source>(limit reached)</source>
        <translation>(limite atteinte)</translation>
    </message>
    <message>
        <source>the changes were not applied; they are still pending.</source>
        <translation>Les modifications n&apos;ont pas été appliquées ; elles restent en attente.</translation>
    </message>
    <message>
        <source>the changes were not applied (%1); they are still pending.</source>
        <translation>Les modifications n&apos;ont pas été appliquées (%1) ; elles restent en attente.</translation>
    </message>
    <message>
        <source>export view data</source>
        <translation>Exporter les données affichées</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>Résultat de l&apos;exportation</translation>
    </message>
    <message>
        <source>export table &apos;%1&apos; to file &apos;%2&apos; is %3!</source>
        <translation>Exportation de la table « %1 » vers le fichier « %2 » : %3 !</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>réussi</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
</context>
<context>
    <name>db_access</name>
    <message>
        <source>not logged in</source>
        <translation>non connecté</translation>
    </message>
</context>
<context>
    <name>import_csv_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>csv</source>
        <translation>csv</translation>
    </message>
    <message>
        <source>csvs</source>
        <translation>csvs</translation>
    </message>
    <message>
        <source>Spliter</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>replace mode</source>
        <translation>Mode remplacement</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>path</source>
        <translation>chemin</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>un chemin sur le serveur, relatif à son dossier de fichiers</translation>
    </message>
    <message>
        <source>space</source>
        <translation>espace</translation>
    </message>
    <message>
        <source>export path information</source>
        <translation>Chemin d&apos;exportation</translation>
    </message>
    <message>
        <source>import path information</source>
        <translation>Chemin d&apos;importation</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>Le chemin saisi est vide.</translation>
    </message>
</context>
<context>
    <name>load_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>path</source>
        <translation>chemin</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>un chemin sur le serveur, relatif à son dossier de fichiers</translation>
    </message>
    <message>
        <source>table path information</source>
        <translation>Chemin de la table</translation>
    </message>
    <message>
        <source>the input table&apos;s path is empty.</source>
        <translation>Le chemin de la table est vide.</translation>
    </message>
</context>
<context>
    <name>login_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>set as default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:15pt; font-weight:600;&quot;&gt;Vela Database Login&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:15pt; font-weight:600;&quot;&gt;Connexion à Vela&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;user : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;compte : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;password :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;mot de passe :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>invalid ip</source>
        <translation>IP invalide</translation>
    </message>
    <message>
        <source>invalid port</source>
        <translation>Port invalide</translation>
    </message>
    <message>
        <source>info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>invalid user or password</source>
        <translation>Utilisateur ou mot de passe invalide</translation>
    </message>
</context>
<context>
    <name>replace_mode</name>
    <message>
        <source>replace mode information</source>
        <translation>Mode remplacement</translation>
    </message>
    <message>
        <source>note: the replace mode will &lt;span style=&apos;color:orange&apos;&gt;replace exists file&lt;/span&gt;, continue?</source>
        <translation>Attention : le mode remplacement &lt;span style=&apos;color:orange&apos;&gt;remplacera le fichier existant&lt;/span&gt;. Continuer ?</translation>
    </message>
</context>
<context>
    <name>run_progress_wt</name>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>statement %1 of %2</source>
        <translation>instruction %1 sur %2</translation>
    </message>
</context>
<context>
    <name>save_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>path</source>
        <translation>chemin</translation>
    </message>
    <message>
        <source>a path on the server, relative to its files folder</source>
        <translation>un chemin sur le serveur, relatif à son dossier de fichiers</translation>
    </message>
    <message>
        <source>Replace Mode</source>
        <translation>Mode remplacement</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>Le chemin saisi est vide.</translation>
    </message>
</context>
<context>
    <name>search_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>Expression régulière</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>Échappements (\n,\r,\x)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>Mot entier</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>Tout rechercher</translation>
    </message>
    <message>
        <source>Only Selection</source>
        <translation>Sélection seulement</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Tout remplacer</translation>
    </message>
    <message>
        <source>replace text in current windows</source>
        <translation>Remplacer du texte dans la fenêtre courante</translation>
    </message>
    <message>
        <source>find text in current windows</source>
        <translation>Rechercher du texte dans la fenêtre courante</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>Résultat de la recherche</translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation>L&apos;expression régulière est invalide : %1</translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation>La recherche a été arrêtée : %1</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>Résultat suivant</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>Résultat précédent</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation>Chaîne « %1 » introuvable.</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>Résultat suivant</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>Résultat précédent</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation>Chaîne « %1 » introuvable. Reprendre au début ?</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation>Chaîne « %1 » introuvable. Reprendre à la fin ?</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation>Chaîne « %1 » trouvée %2 fois.</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>Résultat du remplacement</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation>Chaîne « %1 » remplacée %2 fois.</translation>
    </message>
</context>
<context>
    <name>search_tab_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>Expression régulière</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>Échappements (\n,\r,\x)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>Mot entier</translation>
    </message>
    <message>
        <source>Constraint</source>
        <translation>Portée</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Colonne</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>Tout rechercher</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Tout remplacer</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>Résultat de la recherche</translation>
    </message>
    <message>
        <source>the regular expression is invalid: %1</source>
        <translation>L&apos;expression régulière est invalide : %1</translation>
    </message>
    <message>
        <source>the search was stopped: %1</source>
        <translation>La recherche a été arrêtée : %1</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found.</source>
        <translation>Chaîne « %1 » introuvable.</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; found %2 times.</source>
        <translation>Chaîne « %1 » trouvée %2 fois.</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>Résultat suivant</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>Résultat précédent</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>Résultat suivant</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>Résultat précédent</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from begin?</source>
        <translation>Chaîne « %1 » introuvable. Reprendre au début ?</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; not found. continue from end?</source>
        <translation>Chaîne « %1 » introuvable. Reprendre à la fin ?</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>Résultat du remplacement</translation>
    </message>
    <message>
        <source>the string &apos;%1&apos; %2 times replaced.</source>
        <translation>Chaîne « %1 » remplacée %2 fois.</translation>
    </message>
    <message>
        <source>replace text in current table</source>
        <translation>Remplacer du texte dans la table courante</translation>
    </message>
    <message>
        <source>find text in current table</source>
        <translation>Rechercher du texte dans la table courante</translation>
    </message>
</context>
<context>
    <name>sql_script_editor</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>execute(&amp;e)</source>
        <translation>&amp;Exécuter</translation>
    </message>
    <message>
        <source>Ctrl+Return</source>
        <translation>Ctrl+Return</translation>
    </message>
    <message>
        <source>copy current text</source>
        <translation>Copier le texte courant</translation>
    </message>
    <message>
        <source>close all</source>
        <translation>Tout fermer</translation>
    </message>
    <message>
        <source>close current</source>
        <translation>Fermer l&apos;onglet courant</translation>
    </message>
    <message>
        <source>export current data</source>
        <translation>Exporter les données courantes</translation>
    </message>
    <message>
        <source>sql parse failed</source>
        <translation>Échec de l&apos;analyse SQL</translation>
    </message>
    <message>
        <source>the sql parsed failed at position: %1</source>
        <translation>L&apos;analyse du SQL a échoué à la position %1</translation>
    </message>
    <message>
        <source>execute infomation</source>
        <translation>Exécution</translation>
    </message>
    <message>
        <source>the sql &quot;%1&quot; execute failed!</source>
        <translation>L&apos;exécution du SQL « %1 » a échoué !</translation>
    </message>
    <message>
        <source>the run was stopped after statement %1 of %2.</source>
        <translation>L&apos;exécution a été arrêtée après l&apos;instruction %1 sur %2.</translation>
    </message>
    <message>
        <source>the sql execute sussesful total!</source>
        <translation>Tout le SQL a été exécuté avec succès !</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>Rechercher du texte</translation>
    </message>
    <message>
        <source>%1 rows, %2 columns in %3 ms</source>
        <translation>%1 lignes, %2 colonnes en %3 ms</translation>
    </message>
    <message>
        <source>export current windows execute result to csv/csvs file</source>
        <translation>Exporter le résultat affiché vers un fichier csv/csvs</translation>
    </message>
</context>
<context>
    <name>sys_pre_dlg</name>
    <message>
        <source>system preference</source>
        <translation>Préférences du système</translation>
    </message>
    <message>
        <source>editor</source>
        <translation>Éditeur</translation>
    </message>
    <message>
        <source>update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source> style</source>
        <translation> Style</translation>
    </message>
    <message>
        <source>theme</source>
        <translation>Thème</translation>
    </message>
    <message>
        <source> elegant</source>
        <translation> élégant</translation>
    </message>
    <message>
        <source>fresh</source>
        <translation>frais</translation>
    </message>
    <message>
        <source>leisurely</source>
        <translation>paisible</translation>
    </message>
    <message>
        <source>reset(&amp;r)</source>
        <translation>&amp;Réinitialiser</translation>
    </message>
    <message>
        <source>show space</source>
        <translation>Afficher les espaces</translation>
    </message>
    <message>
        <source>vertical factor</source>
        <translation>Facteur vertical</translation>
    </message>
    <message>
        <source>horizontal factor</source>
        <translation>Facteur horizontal</translation>
    </message>
    <message>
        <source>point size</source>
        <translation>Taille en points</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Overline</source>
        <translation>Surligné</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Strickout</source>
        <translation>Barré</translation>
    </message>
    <message>
        <source>color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>Édition</translation>
    </message>
    <message>
        <source>Tab Width:</source>
        <translation>Largeur de tabulation :</translation>
    </message>
    <message>
        <source>Insert as Space</source>
        <translation>Insérer des espaces</translation>
    </message>
    <message>
        <source>Edit as Continous in</source>
        <translation>Édition continue pendant</translation>
    </message>
    <message>
        <source>second</source>
        <translation>seconde(s)</translation>
    </message>
    <message>
        <source>Edit Cursor</source>
        <translation>Curseur d&apos;édition</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>Complétion</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activer</translation>
    </message>
    <message>
        <source>least count</source>
        <translation>Nombre minimal</translation>
    </message>
    <message>
        <source>Only SQL</source>
        <translation>SQL seulement</translation>
    </message>
    <message>
        <source>preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>Vérifier les mises à jour</translation>
    </message>
    <message>
        <source>applay(&amp;a)</source>
        <translation>&amp;Appliquer</translation>
    </message>
    <message>
        <source>cancel(&amp;c)</source>
        <translation>Annuler (&amp;C)</translation>
    </message>
    <message>
        <source>default</source>
        <translation>par défaut</translation>
    </message>
    <message>
        <source>default keyword</source>
        <translation>mot-clé ordinaire</translation>
    </message>
    <message>
        <source>read keyword</source>
        <translation>mot-clé de lecture</translation>
    </message>
    <message>
        <source>write keyword</source>
        <translation>mot-clé d&apos;écriture</translation>
    </message>
    <message>
        <source>post keyword</source>
        <translation>mot-clé de post-traitement</translation>
    </message>
    <message>
        <source>function</source>
        <translation>fonction</translation>
    </message>
    <message>
        <source>table name</source>
        <translation>nom de table</translation>
    </message>
    <message>
        <source>field name</source>
        <translation>nom de champ</translation>
    </message>
    <message>
        <source>constant</source>
        <translation>constante</translation>
    </message>
    <message>
        <source>comment</source>
        <translation>commentaire</translation>
    </message>
</context>
</TS>
