#include "app/DataLocation.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zelvora::app {

namespace {

std::string Local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FromLocal(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

QString UserDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvora/dados/");
}

QString FixedDataFolder(const QStringList& arguments)
{
    std::vector<std::string> args;
    for (const auto& a : arguments)
        args.push_back(Local(a));
    return FromLocal(FixedFolderFrom(args, Local(qEnvironmentVariable("ZELVORA_DADOS"))));
}

bool LocateDataFolders(AppContext& ctx)
{
    DataSourceRequest request;
    request.fixedFolder = Local(ctx.fixedFolder);
    request.userFolder = Local(UserDataFolder());
    request.installedFolders = InstalledDataFolderCandidates(Local(ctx.executablePath));
    const auto choice = ChooseDataSources(
        request, [](const std::string& folder) { return QFileInfo(FromLocal(folder)).isDir(); });

    ctx.sources = choice.sources;
    ctx.lookedAt.clear();
    for (const auto& f : choice.lookedAt)
        ctx.lookedAt << FromLocal(f);
    const DataSource* user = choice.userSource();
    ctx.userFolder = user ? FromLocal(user->folder) : QString();

    // Skins come from the first folder that has them, normally the
    // installed one; with nothing found, the folder beside the program as
    // before, so every reader meets its missing files as it always did.
    std::string skins;
    if (choice.found())
        skins = FirstFolderWith(choice.sources, "rodape.png",
                                [](const std::string& file) { return QFileInfo::exists(FromLocal(file)); });
    if (choice.fixed && !choice.lookedAt.empty())
        skins = choice.lookedAt.front();
    if (skins.empty())
        skins = ComputeDataFolders(Local(ctx.executablePath)).dataFolder;
    ctx.dataFolder = FromLocal(skins);
    ctx.mockExamFolder = ctx.dataFolder + QStringLiteral("simu/");
    return choice.found();
}

} // namespace zelvora::app
