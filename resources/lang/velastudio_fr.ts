<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>MainWindow</name>
    <message>
        <source>data oparation console</source>
        <translation>Console d'opérations sur les données</translation>
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
        <translation>Barre d'outils</translation>
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
        <translation>Barre d'ou&amp;tils</translation>
    </message>
    <message>
        <source>statusbar(&amp;s)</source>
        <translation>Barre d'é&amp;tat</translation>
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
        <translation>Aller à l'&amp;erreur</translation>
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
        <translation>Sélectionner l'entourage</translation>
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
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:15pt; font-weight:600;"&gt;Vela Database Login&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:15pt; font-weight:600;"&gt;Connexion à Vela&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;user : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;compte : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;password :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;mot de passe :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;IP : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-weight:600;"&gt;port : &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
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
</TS>
