// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Loading, lookup and saving at installation scale, against two yardsticks:
// the same work done with QDomDocument (what the loaders must beat) and a
// bare expat pass over the same files (what they cannot beat). A bare
// QXmlStreamReader pass shows how much of the gap is the tokenizer's.
//
//   vrex_bench --tree=SITE [--verify] [benchmark flags]
//
// SITE is a directory written by generate_site.py (VREX_BENCH_TREE works
// too). --verify only checks that the library agrees with the reference and
// the manifest, and exits 0 when it does.
#include "bare_chain.h"
#include "dom_reference_loader.h"
#include "dom_reference_writer.h"
#include "expat_floor.h"
#include "site_check.h"
#include "site_manifest.h"
#include "stream_reader_floor.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using vrexbench::DomRegistries;
using vrexbench::LookupSample;
using vrexbench::SiteManifest;

const char kSystem[] = "bench";

QString g_siteDir;    // ZT_ROOT of the site
QString g_configRoot; // ZT_ROOT/ZT_SYSTEM
SiteManifest g_manifest;

void pointLibraryAt(const QString &root)
{
    ::setenv("ZT_ROOT", QFile::encodeName(root).constData(), 1);
    ::setenv("ZT_SYSTEM", kSystem, 1);
}

// glibc keeps what a clear frees in its fast bins and only coalesces them
// at the next large request: without this, the first readAll of the timed
// load would pay for emptying the registries (about 7% of the library's
// load at the large scale). A request of a few kilobytes makes it happen
// now, while timing is paused, without returning memory to the system, so
// the load still starts on a warm heap. Library and reference alike.
void settleHeap()
{
    void *large = std::malloc(4096);
    benchmark::DoNotOptimize(large);
    std::free(large);
}

void clearInstanceRegistries()
{
    vrex_instance_lookup::instances.clear();
    vrex_instance_lookup::deviceTypes.clear();
    vrex_instance_lookup::complexTypes.clear();
    settleHeap();
}

// The attach sequence's four loads; reLoad empties the style registry first.
void libraryLoadAll()
{
    vrex_stylesheet::reLoad();
    vrex_instance_lookup::loadInstances();
    vrex_instance_lookup::loadDeviceTypes();
    vrex_instance_lookup::loadComplexTypes();
}

void reportCounts(benchmark::State &state)
{
    state.counters["instances"] = vrex_instance_lookup::countInstances();
    state.counters["deviceTypes"] = vrex_instance_lookup::countDeviceTypes();
    state.counters["complexTypes"] = vrex_instance_lookup::countComplexTypes();
    state.counters["styles"] = vrex_stylesheet::count();
}

// Loads that leave their registry empty measure nothing: report an error
// instead of a fast time.
bool loadedWhatTheSiteHas(benchmark::State &state)
{
    if (vrex_instance_lookup::countInstances() == g_manifest.instances
        && vrex_instance_lookup::countDeviceTypes() == g_manifest.deviceTypes
        && vrex_instance_lookup::countComplexTypes() == g_manifest.complexTypes
        && vrex_stylesheet::count() == g_manifest.styles)
        return true;
    state.SkipWithError("library registries do not hold the site (loaders missing?)");
    return false;
}

// --- loading -------------------------------------------------------------

void BM_LoadAllLibrary(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        clearInstanceRegistries();
        state.ResumeTiming();
        libraryLoadAll();
    }
    reportCounts(state);
    loadedWhatTheSiteHas(state);
}

void BM_LoadAllDomReference(benchmark::State &state)
{
    DomRegistries registries;
    for (auto _ : state) {
        state.PauseTiming();
        registries.clear();
        settleHeap();
        state.ResumeTiming();
        vrexbench::domLoadAll(g_configRoot, registries);
    }
    state.counters["instances"] = registries.instances.size();
}

// A bare pass over files that builds nothing: how fast a parser alone gets
// through the bytes the loaders read. files is called in each iteration, as
// a loader lists its directory each time.
template<typename Files>
void floorPass(benchmark::State &state, Files files, vrexbench::DocumentCount count,
               const char *rejected)
{
    vrexbench::XmlTally tally;
    for (auto _ : state) {
        tally = vrexbench::passOverFiles(files(), count);
        benchmark::DoNotOptimize(tally.elements);
    }
    state.counters["files"] = double(tally.files);
    state.counters["elements"] = double(tally.elements);
    state.counters["attributes"] = double(tally.attributes);
    state.SetBytesProcessed(state.iterations() * tally.bytes);
    if (!tally.wellFormed)
        state.SkipWithError(rejected);
}

QStringList allSiteFiles()
{
    return vrexbench::siteFiles(g_configRoot);
}

void BM_LoadAllExpatFloor(benchmark::State &state)
{
    floorPass(state, allSiteFiles, vrexbench::expatCount, "expat rejected a site file");
}

void BM_LoadAllStreamReaderFloor(benchmark::State &state)
{
    floorPass(state, allSiteFiles, vrexbench::streamReaderCount,
              "QXmlStreamReader rejected a site file");
}

// One registry at a time, to show where the load time goes.
template<typename Clear, typename Load>
void loadOne(benchmark::State &state, Clear clear, Load load)
{
    for (auto _ : state) {
        state.PauseTiming();
        clear();
        settleHeap();
        state.ResumeTiming();
        load();
    }
}

// Device-type directories of kCaseFoldFiles files each, named "*.xml" in
// one system and "*.XML" in the other: a name whose exact spelling does not
// exist is resolved from the directory's one listing, so both load alike.
constexpr int kCaseFoldFiles = 5000;

QString caseFoldRoot()
{
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        for (const char *system : {"lower", "upper"}) {
            const QString types = dir.path() + QLatin1Char('/') + QLatin1String(system) + QStringLiteral("/config/devicetypes");
            QDir().mkpath(types);
            const QString suffix = std::strcmp(system, "upper") == 0 ? QStringLiteral(".XML") : QStringLiteral(".xml");
            for (int i = 0; i < kCaseFoldFiles; ++i) {
                QFile file(types + QStringLiteral("/Type%1").arg(i) + suffix);
                if (file.open(QIODevice::WriteOnly))
                    file.write("<device_description drivertype=\"generic\"><param name=\"p\" slot=\"1\"/></device_description>\n");
            }
        }
        written = true;
    }
    return dir.path();
}

void loadCaseFoldedTypes(benchmark::State &state, const char *system)
{
    ::setenv("ZT_ROOT", QFile::encodeName(caseFoldRoot()).constData(), 1);
    ::setenv("ZT_SYSTEM", system, 1);
    loadOne(state, [] { vrex_instance_lookup::deviceTypes.clear(); }, [] { vrex_instance_lookup::loadDeviceTypes(); });
    state.counters["deviceTypes"] = vrex_instance_lookup::countDeviceTypes();
    if (vrex_instance_lookup::countDeviceTypes() != kCaseFoldFiles)
        state.SkipWithError("not every device-type file was loaded");
    vrex_instance_lookup::deviceTypes.clear();
    pointLibraryAt(g_siteDir);
}

void registerPerRegistryLoads()
{
    using L = vrex_instance_lookup;
    benchmark::RegisterBenchmark("Load/CaseFold/LowerXml", [](benchmark::State &s) {
        loadCaseFoldedTypes(s, "lower");
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/CaseFold/UpperXml", [](benchmark::State &s) {
        loadCaseFoldedTypes(s, "upper");
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/Instances/Library", [](benchmark::State &s) {
        loadOne(s, [] { L::instances.clear(); }, [] { L::loadInstances(); });
        s.counters["instances"] = L::countInstances();
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/DeviceTypes/Library", [](benchmark::State &s) {
        loadOne(s, [] { L::deviceTypes.clear(); }, [] { L::loadDeviceTypes(); });
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/ComplexTypes/Library", [](benchmark::State &s) {
        loadOne(s, [] { L::complexTypes.clear(); }, [] { L::loadComplexTypes(); });
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/Styles/Library", [](benchmark::State &s) {
        loadOne(s, [] {}, [] { vrex_stylesheet::reLoad(); });
    })->Unit(benchmark::kMillisecond);
    // What each loader would cost if building its registry were free.
    using vrexbench::Registry;
    const std::pair<const char *, Registry> floors[] = {
        {"Load/Instances/ExpatFloor", Registry::Instances},
        {"Load/DeviceTypes/ExpatFloor", Registry::DeviceTypes},
        {"Load/ComplexTypes/ExpatFloor", Registry::ComplexTypes},
        {"Load/Styles/ExpatFloor", Registry::Styles},
    };
    for (const auto &[name, registry] : floors) {
        benchmark::RegisterBenchmark(name, [registry = registry](benchmark::State &s) {
            floorPass(s, [registry] { return vrexbench::registryFiles(g_configRoot, registry); },
                      vrexbench::expatCount, "expat rejected a site file");
        })->Unit(benchmark::kMillisecond);
    }

    benchmark::RegisterBenchmark("Load/Instances/DomReference", [](benchmark::State &s) {
        QMap<QString, instanceInfo> map;
        loadOne(s, [&] { map.clear(); }, [&] { vrexbench::domLoadInstances(g_configRoot, map); });
        s.counters["instances"] = map.size();
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/DeviceTypes/DomReference", [](benchmark::State &s) {
        QMap<QString, deviceTypeInfo> map;
        loadOne(s, [&] { map.clear(); },
                [&] { vrexbench::domLoadDeviceTypes(g_configRoot, map); });
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/ComplexTypes/DomReference", [](benchmark::State &s) {
        QMap<QString, complexType> map;
        loadOne(s, [&] { map.clear(); },
                [&] { vrexbench::domLoadComplexTypes(g_configRoot, map); });
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/Styles/DomReference", [](benchmark::State &s) {
        QMap<QString, styleentry> map;
        loadOne(s, [&] { map.clear(); }, [&] { vrexbench::domLoadStyles(g_configRoot, map); });
    })->Unit(benchmark::kMillisecond);
}

// --- lookups -------------------------------------------------------------

// The samples are cycled so that every lookup walks a different path
// through the maps, as a control loop addressing many instances does.
constexpr int kSampleMask = 255;

bool lookupsResolve(benchmark::State &state, const QVector<LookupSample> &samples)
{
    if (samples.size() <= kSampleMask) {
        state.SkipWithError("manifest has too few samples");
        return false;
    }
    const QStringList problems = vrexbench::checkLookups(samples);
    if (problems.isEmpty())
        return true;
    state.SkipWithError(problems.first().toStdString().c_str());
    return false;
}

void BM_ConstFind(benchmark::State &state)
{
    const QVector<LookupSample> &samples = g_manifest.direct;
    if (!lookupsResolve(state, samples))
        return;
    unsigned i = 0;
    for (auto _ : state) {
        auto it = vrex_instance_lookup::instances.constFind(samples[i++ & kSampleMask].instance);
        benchmark::DoNotOptimize(it);
    }
}

void sevenArgumentLookup(benchmark::State &state, const QVector<LookupSample> &samples)
{
    if (!lookupsResolve(state, samples))
        return;
    QString altId;
    int device = 0, offset = 0, slot = 0;
    char drivertype = 0;
    unsigned i = 0;
    for (auto _ : state) {
        const LookupSample &s = samples[i++ & kSampleMask];
        bool found = vrex_instance_lookup::lookup(s.instance, s.param, altId, &device, &offset,
                                                  &slot, &drivertype);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(slot);
    }
}

// The same chains followed with nothing but the map searches: the floor
// the lookups are set against.
void bareWalk(benchmark::State &state, const QVector<LookupSample> &samples)
{
    if (!lookupsResolve(state, samples))
        return;
    QVector<vrexbench::BareChain> chains;
    chains.reserve(samples.size());
    for (const LookupSample &s : samples) {
        chains.append(vrexbench::bareChainOf(s));
        if (vrexbench::walkBare(chains.last()) != s.slot) {
            state.SkipWithError("a bare walk does not end on the lookup's slot");
            return;
        }
    }
    unsigned i = 0;
    for (auto _ : state) {
        int slot = vrexbench::walkBare(chains[i++ & kSampleMask]);
        benchmark::DoNotOptimize(slot);
    }
}

void BM_BareDirect(benchmark::State &state) { bareWalk(state, g_manifest.direct); }
void BM_BareHop1(benchmark::State &state) { bareWalk(state, g_manifest.hop1); }
void BM_BareHop3(benchmark::State &state) { bareWalk(state, g_manifest.hop3); }

void BM_LookupDirect(benchmark::State &state) { sevenArgumentLookup(state, g_manifest.direct); }
void BM_LookupHop1(benchmark::State &state) { sevenArgumentLookup(state, g_manifest.hop1); }
void BM_LookupHop3(benchmark::State &state) { sevenArgumentLookup(state, g_manifest.hop3); }

void BM_LookupFiveArgument(benchmark::State &state)
{
    const QVector<LookupSample> &samples = g_manifest.direct;
    if (!lookupsResolve(state, samples))
        return;
    QString altId;
    int device = 0, offset = 0;
    char drivertype = 0;
    unsigned i = 0;
    for (auto _ : state) {
        bool found = vrex_instance_lookup::lookup(samples[i++ & kSampleMask].instance, altId,
                                                  &device, &offset, &drivertype);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(drivertype);
    }
}

bool compositesResolve(benchmark::State &state)
{
    if (g_manifest.composite.isEmpty()) {
        state.SkipWithError("manifest has no composite samples");
        return false;
    }
    const QStringList problems = vrexbench::checkComposites(g_manifest.composite);
    if (problems.isEmpty())
        return true;
    state.SkipWithError(problems.first().toStdString().c_str());
    return false;
}

void BM_LookupCompositeGroups(benchmark::State &state)
{
    if (!compositesResolve(state))
        return;
    const auto &samples = g_manifest.composite;
    bool composite = false;
    QMap<QString, QString> groups;
    int i = 0;
    for (auto _ : state) {
        bool found = vrex_instance_lookup::lookupComposite(samples[i].instance, composite, groups);
        benchmark::DoNotOptimize(found);
        if (++i == samples.size())
            i = 0;
    }
}

void BM_LookupCompositeGroup(benchmark::State &state)
{
    if (!compositesResolve(state))
        return;
    const auto &samples = g_manifest.composite;
    QString target;
    int i = 0;
    for (auto _ : state) {
        const auto &s = samples[i];
        bool found = vrex_instance_lookup::lookupComposite(s.instance, s.group, target);
        benchmark::DoNotOptimize(found);
        if (++i == samples.size())
            i = 0;
    }
}

// --- saving --------------------------------------------------------------

// A scratch site holding only a copy of the stylesheet: save() rewrites the
// file it loaded, and the cached site must keep its comments and layout.
struct ScratchStylesheet
{
    QTemporaryDir dir;
    QString configRoot;
    QString path;

    bool prepare()
    {
        if (!dir.isValid())
            return false;
        configRoot = dir.path() + QLatin1Char('/') + QLatin1String(kSystem);
        const QString folder = configRoot + QStringLiteral("/config/stylesheet");
        path = folder + QStringLiteral("/vrex_style.xml");
        return QDir().mkpath(folder)
                && QFile::copy(g_configRoot + QStringLiteral("/config/stylesheet/vrex_style.xml"),
                               path);
    }
};

void BM_SaveLibrary(benchmark::State &state)
{
    ScratchStylesheet scratch;
    if (!scratch.prepare()) {
        state.SkipWithError("cannot prepare a scratch stylesheet");
        return;
    }
    pointLibraryAt(scratch.dir.path());
    vrex_stylesheet::reLoad();
    if (vrex_stylesheet::count() == g_manifest.styles) {
        vrex_stylesheet sheet;
        for (auto _ : state) {
            bool saved = sheet.save();
            benchmark::DoNotOptimize(saved);
        }
        if (vrex_stylesheet::count() != g_manifest.styles)
            state.SkipWithError("save did not reload the styles it wrote");
    } else {
        state.SkipWithError("library did not load the styles");
    }
    pointLibraryAt(g_siteDir);
    vrex_stylesheet::reLoad();
    state.counters["styles"] = g_manifest.styles;
}

void domSave(benchmark::State &state, bool reload)
{
    ScratchStylesheet scratch;
    QMap<QString, styleentry> styles;
    if (!scratch.prepare() || !vrexbench::domLoadStyles(g_configRoot, styles)) {
        state.SkipWithError("cannot prepare a scratch stylesheet");
        return;
    }
    QMap<QString, styleentry> readBack;
    for (auto _ : state) {
        bool written = vrexbench::domWriteStylesheet(styles, scratch.path);
        benchmark::DoNotOptimize(written);
        if (reload) {
            readBack.clear();
            vrexbench::domLoadStyles(scratch.configRoot, readBack);
        }
    }
    state.counters["styles"] = styles.size();
}

void BM_SaveDomWrite(benchmark::State &state) { domSave(state, false); }
void BM_SaveDomWriteAndReload(benchmark::State &state) { domSave(state, true); }

// --- main ----------------------------------------------------------------

int verify()
{
    DomRegistries reference;
    vrexbench::domLoadAll(g_configRoot, reference);
    QStringList problems = vrexbench::compareWithLibrary(reference);
    problems += vrexbench::checkLookups(g_manifest.direct);
    problems += vrexbench::checkLookups(g_manifest.hop1);
    problems += vrexbench::checkLookups(g_manifest.hop3);
    problems += vrexbench::checkComposites(g_manifest.composite);
    for (const QString &p : problems)
        std::fprintf(stderr, "verify: %s\n", qPrintable(p));
    std::printf("verify: %s site, %d instances: %s\n", qPrintable(g_manifest.scale),
                g_manifest.instances,
                problems.isEmpty() ? "library agrees with the reference and the manifest"
                                   : "MISMATCH");
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);

    const char *tree = std::getenv("VREX_BENCH_TREE");
    bool verifyOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--tree=", 7) == 0) {
            tree = argv[i] + 7;
        } else if (std::strcmp(argv[i], "--verify") == 0) {
            verifyOnly = true;
        } else {
            std::fprintf(stderr, "vrex_bench: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (!tree || !*tree) {
        std::fprintf(stderr, "usage: vrex_bench --tree=SITE [--verify] [benchmark flags]\n");
        return 2;
    }
    g_siteDir = QDir(QFile::decodeName(tree)).absolutePath();
    g_configRoot = g_siteDir + QLatin1Char('/') + QLatin1String(kSystem);
    QString error;
    if (!vrexbench::readSiteManifest(g_siteDir, g_manifest, &error)) {
        std::fprintf(stderr, "vrex_bench: %s\n", qPrintable(error));
        return 2;
    }

    // The attach sequence has already loaded whatever ZT_ROOT named when the
    // process started; start from the site either way.
    const QByteArray startRoot = qgetenv("ZT_ROOT");
    const QByteArray startSystem = qgetenv("ZT_SYSTEM");
    if (QFile::decodeName(startRoot) != g_siteDir || startSystem != kSystem) {
        pointLibraryAt(g_siteDir);
        clearInstanceRegistries();
        libraryLoadAll();
    }
    if (verifyOnly)
        return verify();

    benchmark::RegisterBenchmark("Load/All/Library", BM_LoadAllLibrary)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/All/DomReference", BM_LoadAllDomReference)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/All/ExpatFloor", BM_LoadAllExpatFloor)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/All/StreamReaderFloor", BM_LoadAllStreamReaderFloor)->Unit(benchmark::kMillisecond);
    registerPerRegistryLoads();
    benchmark::RegisterBenchmark("Lookup/ConstFind", BM_ConstFind);
    benchmark::RegisterBenchmark("Lookup/Seven/Direct", BM_LookupDirect);
    benchmark::RegisterBenchmark("Lookup/Seven/Hop1", BM_LookupHop1);
    benchmark::RegisterBenchmark("Lookup/Seven/Hop3", BM_LookupHop3);
    benchmark::RegisterBenchmark("Lookup/Bare/Direct", BM_BareDirect);
    benchmark::RegisterBenchmark("Lookup/Bare/Hop1", BM_BareHop1);
    benchmark::RegisterBenchmark("Lookup/Bare/Hop3", BM_BareHop3);
    benchmark::RegisterBenchmark("Lookup/Five", BM_LookupFiveArgument);
    benchmark::RegisterBenchmark("Lookup/CompositeGroups", BM_LookupCompositeGroups);
    benchmark::RegisterBenchmark("Lookup/CompositeGroup", BM_LookupCompositeGroup);
    benchmark::RegisterBenchmark("Save/Library", BM_SaveLibrary)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Save/DomWrite", BM_SaveDomWrite)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Save/DomWriteAndReload", BM_SaveDomWriteAndReload)->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
