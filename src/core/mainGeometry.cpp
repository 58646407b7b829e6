#include "core/mainGeometry.h"

#include "core/settings.h"

namespace core {

namespace {

constexpr float kSmallestWidth = 2000;
constexpr float kSmallestHeight = 500;

} // namespace

std::optional<MainGeometry> ReadMainGeometry(QList<options::InvalidStoredValue>* outOfRange)
{
    const settings::Location& from = settings::GeometryLocation(QStringLiteral("Main_Left"));
    const MainGeometry defaults;
    MainGeometry geometry;
    short state = 0;
    const bool read = settings::ReadSingle(from, QStringLiteral("Main_Left"), defaults.left, geometry.left)
        && settings::ReadSingle(from, QStringLiteral("Main_Top"), defaults.top, geometry.top)
        && settings::ReadSingle(from, QStringLiteral("Main_Width"), defaults.width, geometry.width)
        && settings::ReadSingle(from, QStringLiteral("Main_Height"), defaults.height, geometry.height)
        && settings::ReadInteger(from, QStringLiteral("Main_WindowState"),
                                 static_cast<short>(defaults.windowState), state);
    if (!read)
        return std::nullopt;
    if (state < static_cast<short>(WindowState::Normal)
        || state > static_cast<short>(WindowState::Maximized)) {
        const QString normal = settings::FromInteger(static_cast<short>(defaults.windowState));
        if (outOfRange)
            outOfRange->append({QStringLiteral("Main_WindowState"), settings::FromInteger(state), normal});
        state = static_cast<short>(defaults.windowState);
    }
    geometry.windowState = static_cast<WindowState>(state);
    return geometry;
}

MainGeometry ClampIntoView(MainGeometry geometry, float screenWidth, float screenHeight)
{
    const MainGeometry defaults;
    if (geometry.left < 0 || geometry.left > screenWidth)
        geometry.left = defaults.left;
    if (geometry.top < 0 || geometry.top > screenHeight)
        geometry.top = defaults.top;
    if (geometry.width < kSmallestWidth)
        geometry.width = defaults.width;
    if (geometry.height < kSmallestHeight)
        geometry.height = defaults.height;
    return geometry;
}

void StoreMainGeometry(const MainGeometry& geometry)
{
    settings::WriteInteger(QStringLiteral("Main_WindowState"), static_cast<short>(geometry.windowState));
    if (geometry.windowState != WindowState::Normal)
        return;
    settings::WriteSingle(QStringLiteral("Main_Left"), geometry.left);
    settings::WriteSingle(QStringLiteral("Main_Top"), geometry.top);
    settings::WriteSingle(QStringLiteral("Main_Width"), geometry.width);
    settings::WriteSingle(QStringLiteral("Main_Height"), geometry.height);
}

} // namespace core
