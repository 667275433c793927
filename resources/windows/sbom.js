// Writes a Windows release's bill of materials, one SPDX 2.3 JSON document:
// the installer and the portable zip, the tallivox.exe both hold, the Qt
// linked into it with every third-party library Qt says it compiled in, the
// MinGW-w64 runtime linked in, and the Debian toolchain the bytes were made
// with. What Qt knows about itself is read from the SPDX tag:value document
// its own build wrote. The same release gives the same bytes: the document's
// time is SOURCE_DATE_EPOCH and its name space the installer's hash.
//   node sbom.js OUT.spdx.json SETTINGS.json
// SETTINGS: name, vendor, version, homepage, downloads, licence, packages
// (folder), installer, portable (file names there), qt (prefix), qtSource
// (its Debian version), toolchain (file of "source version" lines), build
// and ninja (the build that linked tallivox.exe, and its Ninja).
'use strict';
const fs = require('fs');
const path = require('path');
const crypto = require('crypto');
const { execFileSync } = require('child_process');

const [out, settingsFile] = process.argv.slice(2);
const settings = JSON.parse(fs.readFileSync(settingsFile, 'utf8'));
const sha256 = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');
const inPackages = (name) => fs.readFileSync(path.join(settings.packages, name));

// Qt's document: each package's fields, relationships, and extracted licences.
function readQtDocument(file) {
    const records = [];
    const relationships = [];
    let record = null;
    const lines = fs.readFileSync(file, 'utf8').split('\n');
    for (let i = 0; i < lines.length; i++) {
        const match = /^([A-Za-z]+): ?(.*)$/.exec(lines[i]);
        if (!match)
            continue;
        let [, tag, value] = match;
        if (value.startsWith('<text>')) {
            while (!value.includes('</text>') && i + 1 < lines.length)
                value += '\n' + lines[++i];
            value = value.replace(/^<text>/, '').replace(/<\/text>$/, '');
        }
        if (tag === 'PackageName' || tag === 'LicenseID' || tag === 'FileName')
            records.push((record = { kind: tag }));
        if (tag === 'Relationship')
            relationships.push(value.split(' '));
        else if (record)
            (record[tag] = record[tag] || []).push(value);
    }
    return { records, relationships };
}
const qtDocument = fs.readdirSync(path.join(settings.qt, 'sbom')).find((name) => name.endsWith('.spdx'));
const qt = readQtDocument(path.join(settings.qt, 'sbom', qtDocument));
const byId = new Map(qt.records.filter((r) => r.SPDXID).map((r) => [r.SPDXID[0], r]));
const related = (from, type) => qt.relationships.filter(([a, t]) => a === from && t === type).map(([, , b]) => b);

// The Qt packages linked in: those whose library the link names.
const link = execFileSync(settings.ninja, ['-C', settings.build, '-t', 'commands', 'tallivox.exe'], { encoding: 'utf8' })
    .trim().split('\n').pop().split(' ');
const linked = new Set();
for (const file of qt.records.filter((r) => r.kind === 'FileName')) {
    if (link.includes(path.join(settings.qt, file.FileName[0])))
        qt.relationships.filter(([, t, b]) => t === 'CONTAINS' && b === file.SPDXID[0]).forEach(([a]) => linked.add(a));
}
// Qt credits third-party code to a module whether or not this build compiles
// it: what a feature switched off here leaves out is left out here too.
const features = ['QtCore', 'QtGui', 'QtWidgets']
    .map((module) => fs.readFileSync(path.join(settings.qt, 'include', module, `${module.toLowerCase()}-config.h`), 'utf8'))
    .join('\n');
const builtWithout = (feature) => new RegExp(`#define QT_FEATURE_${feature} -1`).test(features);
const leftOut = { 'opengl-headers': 'opengl', 'opengl-es2-headers': 'opengles2', vulkanmemoryallocator: 'vulkan' };
const thirdParty = new Set();
const credit = (id) => {
    const attribution = /-Attribution-(.*)$/.exec(id);
    if (!thirdParty.has(id) && !(attribution && leftOut[attribution[1]] && builtWithout(leftOut[attribution[1]]))) {
        thirdParty.add(id);
        related(id, 'DEPENDS_ON').filter((b) => /-qt-3rdparty-sources-/.test(b)).forEach(credit);
    }
};
for (const id of linked) {
    if (/-qt-bundled-3rdparty-module-/.test(id))
        credit(id);
    related(id, 'DEPENDS_ON').filter((b) => /-qt-3rdparty-sources-/.test(b)).forEach(credit);
}

// Debian's packages as package URLs: the toolchain's lines are "source
// version binary version".
const toolchain = fs.readFileSync(settings.toolchain, 'utf8').trim().split('\n').map((line) => line.split(' '));
const deb = (name, version, arch) =>
    `pkg:deb/debian/${name}@${encodeURIComponent(version)}?arch=${arch}&distro=debian-13`;
const debian = (source) => deb(source, toolchain.find(([s]) => s === source)[1], 'source');
const reference = (category, type, locator) => ({ referenceCategory: category, referenceType: type, referenceLocator: locator });
const purl = (locator) => reference('PACKAGE-MANAGER', 'purl', locator);
const cpe = (locator) => reference('SECURITY', 'cpe23Type', locator);

const packages = [];
const relationships = [];
const relate = (a, type, b) => relationships.push({ spdxElementId: a, relationshipType: type, relatedSpdxElement: b });
const add = (fields) => {
    packages.push({ downloadLocation: 'NOASSERTION', filesAnalyzed: false, licenseConcluded: 'NOASSERTION',
        licenseDeclared: 'NOASSERTION', copyrightText: 'NOASSERTION', ...fields });
    return fields.SPDXID;
};
const file = (id, name, bytes, purpose, licence, comment) => add({
    SPDXID: id, name, packageFileName: name, versionInfo: settings.version, primaryPackagePurpose: purpose,
    supplier: `Organization: ${settings.vendor}`, downloadLocation: settings.downloads + name,
    checksums: [{ algorithm: 'SHA256', checksumValue: sha256(bytes) }], licenseConcluded: licence,
    licenseDeclared: licence, copyrightText: `Copyright ${settings.vendor}`, comment });

const ownLicence = `LicenseRef-${settings.licence}`;
const installer = inPackages(settings.installer);
const program = execFileSync('unzip', ['-p', path.join(settings.packages, settings.portable), 'tallivox.exe'],
    { maxBuffer: 1 << 30 });
const programId = file('SPDXRef-Package-tallivox.exe', 'tallivox.exe', program, 'APPLICATION', ownLicence,
    `${settings.name} for Windows, statically linked with Qt and the MinGW-w64 runtime`);
for (const [id, name, purpose] of [['SPDXRef-Package-installer', settings.installer, 'INSTALL'],
                                   ['SPDXRef-Package-portable', settings.portable, 'ARCHIVE']]) {
    file(id, name, id.endsWith('installer') ? installer : inPackages(name), purpose, ownLicence);
    relate('SPDXRef-DOCUMENT', 'DESCRIBES', id);
    relate(id, 'CONTAINS', programId);
}

// Qt as Debian ships its source, then its linked modules and third parties
// as its own document names them.
const [qtVersion] = settings.qtSource.split('+');
const qtId = add({ SPDXID: 'SPDXRef-Package-qtbase', name: 'qtbase', versionInfo: settings.qtSource,
    supplier: 'Organization: The Qt Company', downloadLocation: 'https://packages.debian.org/source/trixie/qt6-base',
    homepage: 'https://www.qt.io/', licenseConcluded: 'LGPL-3.0-only',
    licenseDeclared: byId.get('SPDXRef-Package-qtbase-qt-module-Core').PackageLicenseDeclared[0],
    copyrightText: 'Copyright (C) The Qt Company Ltd. and other contributors.',
    externalRefs: [purl(debian('qt6-base')), cpe(`cpe:2.3:a:qt:qt:${qtVersion}:*:*:*:*:*:*:*`)],
    comment: "Qt's Core, Gui and Widgets modules and its Windows platform plug-in, built statically from Debian 13's " +
             "source with Debian's patches, used under the LGPL-3.0" });
relate(programId, 'STATIC_LINK', qtId);
for (const id of [...new Set([...linked, ...thirdParty])].sort()) {
    const record = byId.get(id);
    const one = (tag, otherwise = 'NOASSERTION') => (record[tag] ? record[tag][0] : otherwise);
    add({ SPDXID: id, name: one('PackageName'), versionInfo: one('PackageVersion'),
        supplier: one('PackageSupplier'), downloadLocation: one('PackageDownloadLocation'),
        licenseConcluded: one('PackageLicenseConcluded'), licenseDeclared: one('PackageLicenseDeclared'),
        copyrightText: one('PackageCopyrightText'),
        externalRefs: (record.ExternalRef || []).map((ref) => reference(...ref.split(' '))) });
    relate(qtId, 'CONTAINS', id);
    if (linked.has(id))
        relate(programId, 'STATIC_LINK', id);
}

// The MinGW-w64 runtime the link pulls in, and the tools the bytes come from.
const upstream = (source) => toolchain.find(([s]) => s === source)[3].replace(/-[^-]*$/, '').replace(/^\d+:/, '');
const gcc = upstream('gcc-mingw-w64');
const mingw = upstream('mingw-w64');
for (const [id, name, version, source, licence, refs] of [
    ['gcc-runtime', 'libstdc++, libgcc and libssp', gcc, 'gcc-mingw-w64', 'GPL-3.0-or-later WITH GCC-exception-3.1',
     [cpe(`cpe:2.3:a:gnu:gcc:${gcc}:*:*:*:*:*:*:*`)]],
    ['mingw-w64-crt', 'MinGW-w64 runtime', mingw, 'mingw-w64', 'ZPL-2.1',
     [cpe(`cpe:2.3:a:mingw-w64:mingw-w64:${mingw}:*:*:*:*:*:*:*`)]],
    ['winpthreads', 'winpthreads', mingw, 'mingw-w64', 'MIT', []]]) {
    relate(programId, 'STATIC_LINK', add({ SPDXID: `SPDXRef-Package-${id}`, name, versionInfo: version,
        downloadLocation: `https://packages.debian.org/source/trixie/${source}`, licenseDeclared: licence,
        externalRefs: [purl(debian(source)), ...refs] }));
}
for (const [source, sourceVersion, binary, version] of toolchain) {
    const id = add({ SPDXID: `SPDXRef-Tool-${binary}`, name: binary, versionInfo: version,
        downloadLocation: `https://packages.debian.org/source/trixie/${source}`,
        externalRefs: [purl(deb(binary, version, 'amd64')), purl(deb(source, sourceVersion, 'source'))],
        comment: "The Debian 13 package of a tool the release was built with" });
    relate(id, 'BUILD_TOOL_OF', source === 'nsis' ? 'SPDXRef-Package-installer' : programId);
}

// Every LicenseRef- the document uses, with its text.
const used = new Set(JSON.stringify(packages).match(/LicenseRef-[A-Za-z0-9.-]+/g));
const extracted = qt.records.filter((r) => r.kind === 'LicenseID' && used.delete(r.LicenseID[0]))
    .map((r) => ({ licenseId: r.LicenseID[0], extractedText: r.ExtractedText[0] }));
extracted.push({ licenseId: ownLicence, name: settings.licence, extractedText:
    `No licence has been chosen for ${settings.name} yet. Until ${settings.vendor} grants one, nobody is given ` +
    'permission to copy, modify or redistribute it beyond what copyright law itself allows.' });
used.delete(ownLicence);
if (used.size)
    throw new Error(`no text for ${[...used].join(', ')}`);

const created = new Date(Number(process.env.SOURCE_DATE_EPOCH || 0) * 1000).toISOString().replace(/\.000Z$/, 'Z');
const document = {
    spdxVersion: 'SPDX-2.3', dataLicense: 'CC0-1.0', SPDXID: 'SPDXRef-DOCUMENT',
    name: `${settings.name}-${settings.version}-win64`,
    documentNamespace: `${settings.downloads}spdx/${settings.name}-${settings.version}-win64-${sha256(installer)}`,
    creationInfo: { created, creators: [`Organization: ${settings.vendor}`, 'Tool: sbom.js'] },
    packages, relationships, hasExtractedLicensingInfos: extracted,
};
fs.writeFileSync(out, JSON.stringify(document, null, 2) + '\n');
