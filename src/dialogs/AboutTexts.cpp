#include "dialogs/AboutTexts.h"

namespace orvela {

QString RightsNoticeText() {
  return QStringLiteral("© 2026 Die Entwickler von Orvela WP. Alle Rechte vorbehalten.");
}

QString TermsOfUseText() {
  return QStringLiteral(
      "Nutzungsbestimmungen für Orvela WP\n"
      "\n"
      "1. Zweck. Orvela WP dient der Führung der Arbeitspapiere einer Prüfung: "
      "Prüfungsstruktur, Feststellungen, Dokumentenverzeichnis, Projekteigenschaften und "
      "Berichte werden in einer Projektdatei gehalten.\n"
      "\n"
      "2. Nutzung. Sie dürfen das Programm für eigene und betriebliche Zwecke einsetzen und "
      "die damit erstellten Projektdateien und Berichte ohne Einschränkung verwenden. Die "
      "Inhalte der Projektdateien gehören allein Ihnen; das Programm überträgt keine Daten.\n"
      "\n"
      "3. Sorgfalt. Prüfen Sie erstellte Berichte vor ihrer Weitergabe. Legen Sie von "
      "wichtigen Projektdateien regelmäßig Sicherungskopien an. Das Programm prüft beim "
      "Öffnen, ob eine Projektdatei unverändert ist, ersetzt aber keine Datensicherung.\n"
      "\n"
      "4. Gewährleistung. Das Programm wird so bereitgestellt, wie es ist. Soweit gesetzlich "
      "zulässig, wird keine Gewähr dafür übernommen, dass es für einen bestimmten Zweck "
      "geeignet oder frei von Fehlern ist.\n"
      "\n"
      "5. Haftung. Soweit gesetzlich zulässig, haften die Entwickler nicht für Schäden, die "
      "aus der Nutzung oder der Unmöglichkeit der Nutzung des Programms entstehen, "
      "insbesondere nicht für Datenverluste. Die Haftung für Vorsatz und grobe "
      "Fahrlässigkeit sowie für Schäden an Leben, Körper und Gesundheit bleibt unberührt.\n"
      "\n"
      "6. Bibliotheken. Bestandteile anderer Hersteller unterliegen ihren eigenen Lizenzen; "
      "sie sind auf der Seite \"Danksagung\" genannt. Diese Lizenzen gehen den vorstehenden "
      "Bestimmungen für den jeweiligen Bestandteil vor.\n");
}

QString AcknowledgementsText() {
  return QStringLiteral(
      "Orvela WP ist mit Hilfe der folgenden freien Bibliotheken entstanden. Wir danken "
      "ihren Autorinnen und Autoren.\n"
      "\n"
      "Qt 6 (Qt Base, Qt Print Support)\n"
      "Die Oberfläche des Programms: Fenster, Dialoge, Listen, Druck.\n"
      "Lizenz: GNU Lesser General Public License, Version 3 (LGPLv3). "
      "Copyright © The Qt Company Ltd. und weitere Mitwirkende. Das Programm nutzt Qt als "
      "eigenständige Bibliothek; der Quelltext von Qt ist unter https://www.qt.io erhältlich.\n"
      "\n"
      "OpenSSL (libcrypto)\n"
      "Die MD5-Prüfsumme, mit der die Unversehrtheit der Projektdateien geprüft wird.\n"
      "Lizenz: Apache License, Version 2.0. Copyright © The OpenSSL Project Authors.\n"
      "\n"
      "nlohmann/json\n"
      "Die JSON-Ein- und -Ausgabe des Kommandozeilenprogramms orvela-wp-cli.\n"
      "Lizenz: MIT License. Copyright © Niels Lohmann.\n"
      "\n"
      "CLI11\n"
      "Die Befehle und Optionen des Kommandozeilenprogramms orvela-wp-cli.\n"
      "Lizenz: BSD 3-Clause License. Copyright © University of Cincinnati (Henry Schreiner) und weitere Mitwirkende.\n"
      "\n"
      "GoogleTest und Google Benchmark (nur für Tests und Messungen, nicht im Programm "
      "enthalten)\n"
      "Lizenzen: BSD 3-Clause License (GoogleTest) und Apache License, Version 2.0 "
      "(Google Benchmark). Copyright © Google Inc.\n"
      "\n"
      "Die vollständigen Lizenztexte liegen den jeweiligen Bibliotheken bei.\n");
}

}  // namespace orvela
