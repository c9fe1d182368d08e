#pragma once

#include <QString>
#include <QStringList>

// Where the per-model command catalogues and panel pictures live, and how a
// model name maps to them. A model is known when "<model>.csv" exists in the
// plug-in folder; an unknown one is shown as "Alien" (with "Alien.png").
class CatalogueFiles
{
public:
    // The name shown for a model without catalogue file.
    static QString alienName();
    // programFolder + "/pluginPJ".
    static QString pluginFolder(const QString &programFolder);
    // True when model can name a file of the plug-in folder (ModelNameRule).
    static bool isPlainModelName(const QString &model);
    // model + ".csv"; empty for a model that is not a plain name.
    static QString catalogueFileName(const QString &model);
    // pluginFolder + "/" + model + ".csv"; empty for a model that is not a plain name.
    static QString cataloguePath(const QString &pluginFolder, const QString &model);
    // pluginFolder + "/" + model + ".png"; empty for a model that is not a plain name.
    static QString panelImagePath(const QString &pluginFolder, const QString &model);
    // The model a catalogue file stands for: its name without the extension
    // (the last suffix only: "KX-4410.B.csv" is model "KX-4410.B"). The
    // console and the model list both go by this.
    static QString modelOfFile(const QString &path);
    // True when the model's catalogue file exists (and is a file).
    static bool hasCatalogue(const QString &pluginFolder, const QString &model);
    // model when it has a catalogue file, else "Alien".
    static QString displayModel(const QString &pluginFolder, const QString &model);
    // Models of every "*.csv" file of the folder, files only, in listing order.
    static QStringList knownModels(const QString &pluginFolder);
};
