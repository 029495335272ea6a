<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA">
<context>
    <name>bw::AboutWindow</name>
    <message>
        <source>If this software is helpful for you to prepare for the Canadian citizenship test, please<byte value="xd"/>
send us an email at:  %1 . Your comments and feedback is greatly welcome.<byte value="xd"/>
Hope you become a Canadian citizen soon. Good Luck!</source>
        <translation>Si ce logiciel vous aide à vous préparer à l’examen pour la citoyenneté canadienne, n’hésitez pas à<byte value="xd"/>
nous écrire par courriel à %1. Vos commentaires sont les bienvenus.<byte value="xd"/>
Nous vous souhaitons de devenir bientôt citoyen canadien. Bonne chance!</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;More Info</source>
        <translation>&amp;En savoir plus</translation>
    </message>
    <message>
        <source>Brightwell V4.38  (c) Brightwell Software. All rights reserved.</source>
        <translation>Brightwell V4.38  (c) Brightwell Software. Tous droits réservés.</translation>
    </message>
    <message>
        <source>For more hints about the Canadian citizenship test, please visit: </source>
        <translation>Pour d’autres conseils sur l’examen pour la citoyenneté, visitez&#xa0;: </translation>
    </message>
    <message>
        <source>Click on the &apos;More Info&apos; button for other good stuffs that you may be interested in.</source>
        <translation>Cliquez sur le bouton «&#xa0;En savoir plus&#xa0;» pour découvrir d’autres produits qui pourraient vous intéresser.</translation>
    </message>
</context>
<context>
    <name>bw::BannerView</name>
    <message>
        <source>Highly similar to the REAL test !</source>
        <translation>Très semblable au VRAI examen!</translation>
    </message>
    <message>
        <source>Greatly speed up your progress !</source>
        <translation>Progressez beaucoup plus vite!</translation>
    </message>
    <message>
        <source>Works extremely well !</source>
        <translation>Une méthode qui a fait ses preuves!</translation>
    </message>
    <message>
        <source>Almost the same as the real test questions !</source>
        <translation>Presque les mêmes questions que le vrai examen!</translation>
    </message>
    <message>
        <source>Get familiar with the REAL test format !</source>
        <translation>Familiarisez-vous avec le format du VRAI examen!</translation>
    </message>
    <message>
        <source>Very good warm-up practice !</source>
        <translation>Une excellente mise en train avant l’examen!</translation>
    </message>
    <message>
        <source>Be confident to pass the test !</source>
        <translation>Réussissez l’examen en toute confiance!</translation>
    </message>
    <message>
        <source>Find out on %1    CLICK HERE</source>
        <translation>Découvrez-le sur %1    CLIQUEZ ICI</translation>
    </message>
    <message>
        <source> How to Save Time Preparing for Canada Citizenship Test?</source>
        <translation> Comment préparer plus vite l’examen pour la citoyenneté?</translation>
    </message>
    <message>
        <source>Brightwell home page</source>
        <translation>Page d’accueil de Brightwell</translation>
    </message>
    <message>
        <source>Banner</source>
        <translation>Bannière</translation>
    </message>
</context>
<context>
    <name>bw::CommandLine</name>
    <message>
        <source>brightwell: --language takes en or fr, not &quot;%1&quot;.</source>
        <translation>brightwell&#xa0;: --language accepte en ou fr, pas «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>brightwell: no display is available (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session.</source>
        <translation>brightwell&#xa0;: aucun écran n’est disponible (les variables DISPLAY et WAYLAND_DISPLAY ne sont pas définies); lancez le programme depuis une session de bureau.</translation>
    </message>
    <message>
        <source>brightwell: cannot open the display %1; start it from a desktop session.</source>
        <translation>brightwell&#xa0;: impossible d’ouvrir l’écran %1; lancez le programme depuis une session de bureau.</translation>
    </message>
    <message>
        <source>Usage: brightwell [options]
Practice tests for the Canadian citizenship knowledge test.

Options:
  --language en|fr  Shows Brightwell in English or in French for this run only.
  -h, --help        Shows this help and exits.
  -v, --version     Shows the version and exits.

Qt&apos;s own options, such as -platform, -style and -reverse, are taken too.
</source>
        <translation>Utilisation&#xa0;: brightwell [options]
Tests d’entraînement pour l’examen pour la citoyenneté canadienne.

Options&#xa0;:
  --language en|fr  Affiche Brightwell en anglais ou en français pour cette exécution seulement.
  -h, --help        Affiche cette aide, puis quitte.
  -v, --version     Affiche la version, puis quitte.

Les options propres à Qt, comme -platform, -style et -reverse, sont aussi acceptées.
</translation>
    </message>
    <message>
        <source>brightwell: --language takes en or fr, and none was given.</source>
        <translation>brightwell&#xa0;: --language accepte en ou fr, et aucune valeur n’a été donnée.</translation>
    </message>
    <message>
        <source>brightwell: %1 takes a value, and none was given.</source>
        <translation>brightwell&#xa0;: %1 demande une valeur, et aucune n’a été donnée.</translation>
    </message>
    <message>
        <source>brightwell: %1 takes no value.</source>
        <translation>brightwell&#xa0;: %1 ne prend aucune valeur.</translation>
    </message>
    <message>
        <source>brightwell: unknown option &quot;%1&quot;; the options are --language en|fr, --help and --version.</source>
        <translation>brightwell&#xa0;: option inconnue «&#xa0;%1&#xa0;»; les options sont --language en|fr, --help et --version.</translation>
    </message>
    <message>
        <source>brightwell: &quot;%1&quot; is not an option; the options are --language en|fr, --help and --version.</source>
        <translation>brightwell&#xa0;: «&#xa0;%1&#xa0;» n’est pas une option; les options sont --language en|fr, --help et --version.</translation>
    </message>
</context>
<context>
    <name>bw::MainWindow</name>
    <message>
        <source>5 Questions</source>
        <translation>5 questions</translation>
    </message>
    <message>
        <source>10 Questions</source>
        <translation>10 questions</translation>
    </message>
    <message>
        <source>20 Questions</source>
        <translation>20 questions</translation>
    </message>
    <message>
        <source>50 Questions</source>
        <translation>50 questions</translation>
    </message>
    <message>
        <source>100 Questions</source>
        <translation>100 questions</translation>
    </message>
    <message>
        <source>165 Questions(All)</source>
        <translation>165 (toutes)</translation>
    </message>
    <message>
        <source>Practice Question Number:</source>
        <translation>Nombre de questions&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Start Test</source>
        <translation>&amp;Démarrer le test</translation>
    </message>
    <message>
        <source>Re&amp;start</source>
        <translation>Re&amp;démarrer</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>&amp;Redo Incorrect Questions</source>
        <translation>&amp;Refaire les manquées</translation>
    </message>
    <message>
        <source>&amp;Clear Incorrect History</source>
        <translation>&amp;Effacer l’historique</translation>
    </message>
    <message>
        <source>&amp;Info Center</source>
        <translation>Centre d’&amp;information</translation>
    </message>
    <message>
        <source>&amp;Purchase CD</source>
        <translation>&amp;Acheter un CD</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Précédente</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivante</translation>
    </message>
    <message>
        <source>View wrong answers only.</source>
        <translation>Seulement les manquées.</translation>
    </message>
    <message>
        <source>Check Answer</source>
        <translation>Vérifier la réponse</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>&amp;Terminer</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>A cross beside the wrong choice that was selected</source>
        <translation>Une croix à côté du mauvais choix sélectionné</translation>
    </message>
    <message>
        <source>A tick beside the correct answer</source>
        <translation>Un crochet à côté de la bonne réponse</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À pr&amp;opos</translation>
    </message>
    <message>
        <source>Order a &amp;CD</source>
        <translation>Commander un &amp;CD</translation>
    </message>
    <message>
        <source>&amp;Other Info</source>
        <translation>&amp;Autres informations</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Show Brightwell in English</source>
        <translation>Afficher Brightwell en anglais</translation>
    </message>
    <message>
        <source>Show Brightwell in French</source>
        <translation>Afficher Brightwell en français</translation>
    </message>
    <message>
        <source>Question %1 of %2</source>
        <translation>Question %1 de %2</translation>
    </message>
    <message>
        <source>Answer %1: </source>
        <translation>Réponse %1&#xa0;: </translation>
    </message>
    <message>
        <source>Your answer is CORRECT.</source>
        <translation>Votre réponse est BONNE.</translation>
    </message>
    <message>
        <source>Your answer is WRONG, the correct answer is %1</source>
        <translation>Votre réponse est MAUVAISE. La bonne réponse est %1</translation>
    </message>
    <message>
        <source>%1 is the correct answer</source>
        <translation>%1 est la bonne réponse</translation>
    </message>
    <message>
        <source>%1 is the wrong choice selected</source>
        <translation>%1 est le mauvais choix sélectionné</translation>
    </message>
    <message>
        <source>Do you want to cancel the current practice test?</source>
        <translation>Voulez-vous annuler le test d’entraînement en cours?</translation>
    </message>
    <message>
        <source>You have not gone through all the questions. You can use &apos;Next&apos; button to go to the next question.<byte value="xd"/>
Do you want to finish the test now?</source>
        <translation>Vous n’avez pas parcouru toutes les questions. Le bouton «&#xa0;Suivante&#xa0;» mène à la question suivante.<byte value="xd"/>
Voulez-vous terminer le test maintenant?</translation>
    </message>
    <message>
        <source>You won&apos;t be able to redo incorrect questions if you clear the history. <byte value="xd"/>
Continue to clear?</source>
        <translation>Si vous effacez l’historique, vous ne pourrez plus refaire les questions manquées. <byte value="xd"/>
Effacer quand même?</translation>
    </message>
    <message>
        <source>There are no incorrect questions to redo: every question that was answered wrongly has since been answered correctly.</source>
        <translation>Il n’y a aucune question manquée à refaire&#xa0;: chaque question manquée a depuis reçu une bonne réponse.</translation>
    </message>
    <message>
        <source>Brightwell could not save your incorrect-question history, so the next time you start the program it may not know which questions you answered wrongly.</source>
        <translation>Brightwell n’a pas pu enregistrer l’historique de vos questions manquées; au prochain lancement, il pourrait ne plus savoir quelles questions vous avez manquées.</translation>
    </message>
    <message>
        <source>Everything stays available until you close Brightwell, and the next finished test tries to save again.</source>
        <translation>Tout reste disponible jusqu’à la fermeture de Brightwell, et le prochain test terminé tentera à nouveau l’enregistrement.</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>Barre de menus</translation>
    </message>
    <message>
        <source>Answer %1 chosen</source>
        <translation>Réponse %1 choisie</translation>
    </message>
    <message>
        <source>Brightwell is now in English.</source>
        <translation>Brightwell est maintenant en français.</translation>
    </message>
</context>
<context>
    <name>bw::PurchaseWindow</name>
    <message>
        <source>Purchase a CD</source>
        <translation>Acheter un CD</translation>
    </message>
    <message>
        <source>&amp;GO</source>
        <translation>&amp;Y aller</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>Brightwell is about to take you to its online order page, where you can buy this software on CD. Please make sure your computer is connected to the Internet, then press the GO button.</source>
        <translation>Brightwell va vous mener à sa page de commande en ligne, où vous pourrez acheter ce logiciel sur CD. Assurez-vous que votre ordinateur est branché à Internet, puis appuyez sur le bouton «&#xa0;Y aller&#xa0;».</translation>
    </message>
</context>
<context>
    <name>bw::ResultWindow</name>
    <message>
        <source>%1%</source>
        <comment>the score; %1 is the number</comment>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Test Result</source>
        <translation>Résultat du test</translation>
    </message>
    <message>
        <source>Score:</source>
        <translation>Résultat&#xa0;:</translation>
    </message>
    <message>
        <source>Question Total:</source>
        <translation>Nombre de questions&#xa0;:</translation>
    </message>
    <message>
        <source>Correct Questions:</source>
        <translation>Bonnes réponses&#xa0;:</translation>
    </message>
    <message>
        <source>Percentage:</source>
        <translation>Pourcentage&#xa0;:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
