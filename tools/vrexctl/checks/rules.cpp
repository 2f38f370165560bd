// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/rules.h"

#include <QtCore/QJsonArray>

#include <iterator>

namespace vrexctl {

namespace {

constexpr Finding::Severity E = Finding::Error;
constexpr Finding::Severity W = Finding::Warning;
constexpr Finding::Severity N = Finding::Note;

const Rule kRules[] = {
    {"installation-not-found", E, "",
     "the installation root, the system or its `config` directory does not exist",
     "ROOT/SYSTEM/config, from `--root` and `--system` or from ZT_ROOT and ZT_SYSTEM, is not a directory, so there "
     "is nothing to check.",
     "A host started with these variables finds no configuration: every registry stays empty and every lookup fails.",
     "`--root /srv/site --system studoi` where the system is `studio`",
     "Name the right root and system; the message says which of the three is missing.", ""},
    {"missing-directory", E, "", "`config/devicetypes` or `config/complex_instances` does not exist",
     "A type directory is missing while instances name types that would be in it. Listed only when something "
     "follows from it; those follow-on findings are counted in one note.",
     "Registers no types from it: every instance naming such a type has none.",
     "instances name device types, but `config/devicetypes` does not exist",
     "Create the directory with the type files, or fix the path the installation was copied to.", ""},
    {"unreadable-file", E, "", "a configuration file cannot be read",
     "The file is missing, is a directory or no regular file, cannot be opened (permission denied), or is larger "
     "than 256 MiB. The reason is in the message.",
     "Treats the file as absent: no instances or styles from it; a device type of that name is registered with "
     "driver type 1 (serial) and no parameters.",
     "`instances.xml` is missing: \"cannot read the instances file: no such file\"",
     "Restore the file, or give the user who runs the hosts read access to it.", ""},
    {"malformed-xml", E, "", "a file is not well-formed XML",
     "The XML reader stopped at the position given. Nothing of such a file is used, whatever came before the fault.",
     "Rejects the whole file, as if it could not be read.", "`<param name=\"gain\" slot=\"2\">` never closed",
     "Repair the XML at the position given (an unescaped `&`, a tag not closed, a merge-conflict marker).", ""},
    {"wrong-root", E, "warning for the stylesheet", "a file's root element is not the one its format has",
     "The instances file needs `<instances>`, a device-type file `<device_description>`, a complex-type file a root "
     "named exactly like the type (its file name), the stylesheet `<stylesheet>`.",
     "Reads nothing from an instances file, no parameters from a device-type file and no members from a "
     "complex-type file with another root; a stylesheet's children are read as styles all the same.",
     "`complex_instances/Rack.xml` has the root `<rack>`",
     "Rename the root element (or the file) so that they agree, letter case included.", ""},
    {"unknown-device-type", E, "", "an instance names a device type that has no file",
     "No file in `config/devicetypes` is named after the instance's `type` (letter case aside).",
     "The instance has no device type: every lookup of one of its parameters fails.",
     "`type=\"Camra\"` while the file is `camera.xml`",
     "Correct the type, or add the device-type file.", ""},
    {"unknown-complex-type", E, "", "an instance names a complex type that has no file",
     "The `complex` key of the instance's `ref` names no file in `config/complex_instances` (letter case counts).",
     "Lookups of the instance's slot-0 parameters fail: there is no redirection to follow.",
     "`ref=\"device=12,complex=CamRig\"` while the file is `CameraRig.xml`",
     "Correct the name after `complex=`, or add the complex-type file.", ""},
    {"unknown-instance", E, "", "a group or a redirection names an instance that does not exist",
     "A `<group>` of a composite instance, or a redirection's `device`, names no instance of the instances file.",
     "The group's lookup answers nothing; a lookup that follows the redirection fails there.",
     "`<group id=\"cam\" instance=\"cam7\"/>` or a redirection's `device=\"lense1\"`",
     "Correct the instance name, or add the instance.", ""},
    {"unknown-parameter", E, "", "a redirection leads to a parameter its target does not have",
     "The redirection's `param` is no parameter of the device type of the instance it leads to.",
     "The lookup that follows the redirection fails there.",
     "a redirection's `param=\"zom\"`, which the target's device type lacks",
     "Correct the parameter name, or add the parameter to the target's device type.", ""},
    {"missing-redirection", E, "", "a slot-0 parameter of an instance with a complex type is not redirected",
     "Slot 0 means the parameter stands for another one, which the instance's complex type must name: in a "
     "`<member>` with the instance's id, a redirection with the parameter's name.",
     "The lookup of that parameter fails.",
     "`zoom` has slot 0 on `cam1` (complex type `CameraRig`), which redirects no `zoom`",
     "Add the redirection to the complex type, or give the parameter its real slot.", ""},
    {"redirection-cycle", E, "", "redirections lead back to where they started",
     "Following the redirections from a parameter comes back to an instance and parameter already visited; the "
     "notes show each hop of the cycle.",
     "The lookup stops at the repeated hop and fails, and says so on its debug-output channel.",
     "`cam1.zoom -> lens1.zoom -> cam1.zoom`, with a note per hop",
     "Point one redirection of the cycle at the parameter that really addresses the equipment.", ""},
    {"unknown-member", W, "", "a complex type's member is no instance",
     "A `<member id>` names no instance of the instances file.",
     "Its redirections are never used: only an instance of that name would reach them.",
     "`<member id=\"cam9\">` in a complex type, and no instance `cam9`",
     "Correct the member id to the instance it is meant for, or remove the member.", ""},
    {"unknown-redirection-id", W, "", "a redirection is for a parameter the member does not have",
     "A redirection's `id` is no parameter of the device type of the member's instance.",
     "The redirection is never used: lookups ask only for the instance's own parameters.",
     "`<param id=\"tlt\" .../>` for a member whose device type has no `tlt`",
     "Correct the id to the parameter's name, or remove the redirection.", ""},
    {"duplicate-instance", W, "", "an instance id is defined twice",
     "Two `<instance>` elements have the same `id`; a note points at the earlier one.",
     "Keeps only the last definition.", "a second `<instance id=\"cam1\" .../>`",
     "Remove one, or give it its own id.", ""},
    {"duplicate-group", W, "", "a group id is defined twice in one instance",
     "Two `<group>` elements of one composite instance have the same `id`.", "Keeps only the last of them.",
     "two `<group id=\"main\" .../>` in one instance", "Remove one, or give it its own id.", ""},
    {"duplicate-parameter", W, "", "a parameter is defined twice in one device type",
     "Two parameters of one device-type file have the same `name`.", "Keeps only the last of them.",
     "two `<param name=\"gain\" .../>` in one device type", "Remove one, or give it its own name.", ""},
    {"duplicate-member", W, "", "a member is defined twice in one complex type",
     "Two `<member>` elements of one complex type have the same `id`.",
     "Keeps only the last of them, with its redirections.", "two `<member id=\"cam1\">` in one complex type",
     "Merge their redirections into one member.", ""},
    {"duplicate-redirection", W, "", "a parameter is redirected twice in one member",
     "Two redirections of one member have the same `id`.", "Keeps only the last of them.",
     "two `<param id=\"zoom\" .../>` in one member", "Remove the one that is wrong.", ""},
    {"duplicate-style", W, "", "a style name is defined twice",
     "Two styles of the stylesheet have the same `name`.", "Keeps only the last of them.",
     "two `<style name=\"alarm\" ...>`", "Remove one, or give it its own name.", ""},
    {"case-clash", W, "", "two type files' names differ only in letter case",
     "Device-type file names are looked up ignoring letter case, complex-type file names exactly, so two such "
     "files stand for one type, or one of them is read twice.",
     "Keeps one device type of the two (the later file); for complex types, which file is read depends on the "
     "file system.",
     "`devicetypes/servo.xml` and `devicetypes/Servo.xml`", "Merge the two files into one.", ""},
    {"unknown-attribute", W, "", "an element has an attribute its format does not read",
     "The attribute is not one the element's format knows, often a misspelling or the wrong letter case.",
     "Ignores it: the value it holds is never read.",
     "`<instance typ=\"Camera\">`: \"instance element has no attribute 'typ'\"; did you mean `type`?",
     "Spell the attribute as suggested, or remove it.",
     "renames the attribute to the one suggestion, unless the element has that attribute already"},
    {"unknown-ref-key", W, "", "a `ref` key is not one the library knows",
     "The keys of `ref` are `device`, `offset` and `complex`, each `KEY=VALUE`, separated by commas.",
     "Ignores that piece: the number or name it holds is not used (a number stays 0).",
     "`ref=\"devcie=7\"`; did you mean `device`?", "Spell the key as suggested.",
     "renames the key to the one suggestion, unless the `ref` has that key already"},
    {"blank-in-ref-key", W, "", "a `ref` key has blanks around it",
     "Blanks around a key are part of it: in `device=15, offset=4` the second key is a blank and `offset`, "
     "which the library does not know.",
     "Ignores that piece: its number stays 0.", "`ref=\"device=15, offset=4\"`: the offset stays 0",
     "Remove the blanks around the key.",
     "removes the blanks around the key, when it then is a known key the `ref` does not have yet"},
    {"not-a-number", W, "", "a value that should be a number is not one",
     "A `slot`, `slotspacing` or a number key of `ref` holds text that is not a decimal number.",
     "Reads 0.", "`slot=\"one\"`, `ref=\"device=0x10\"`", "Write the number in decimal digits.", ""},
    {"composite-not-yes", W, "", "an instance has groups but is not `composite=\"yes\"`",
     "Groups are read only from an instance whose `composite` is exactly `yes`, in lower case.",
     "Ignores the groups: the instance is no composite.",
     "`composite=\"Yes\"` on an instance with groups: they are ignored",
     "Write `composite=\"yes\"`, or remove the groups.",
     "writes `yes` where the value is `yes` in other letter case"},
    {"unknown-drivertype", W, "", "a device type's `drivertype` is no known word",
     "The words are `serial`, `generic` and `router`, in any letter case.",
     "Goes by the first letter only: `g` is generic, `r` router, anything else serial (1).",
     "`drivertype=\"gneric\"`: read as generic, by its first letter",
     "Write one of the words in full.",
     "writes the one suggestion where it starts with the same letter, so the driver type the library reads stays "
     "the same"},
    {"unknown-style-type", W, "", "a style's `type` is no known word",
     "The words are `state`, `style` and `setting`, in lower case only.", "The style has no type (0).",
     "`type=\"State\"`; did you mean `state`?", "Write the word in lower case, or remove the attribute.",
     "writes the word in lower case where only its letter case is wrong"},
    {"empty-name", W, "", "an instance or style has no name",
     "An `<instance>` without `id` or a `<style>` without `name` (or with an empty one).",
     "Stores it under the empty name, where hosts never look it up.",
     "an `<instance>` without `id`, stored under the empty name", "Give it its name.", ""},
    {"follow-on", N, "", "further problems follow from the finding before",
     "A file or directory that cannot be read makes many other things fail; those are counted here rather than "
     "listed.",
     "As the finding before says.", "\"3 further problems follow from this and are not listed\"",
     "Fix the finding before it and check again.", ""},
    {"bad-config", W, "", "the check's configuration file has a mistake",
     "`.vrexctl.ini` (or the `--config` file) has a section, key, code, severity or pattern the check does not "
     "know, or a line that is no INI.",
     "Nothing: the file is vrexctl's own. The check ignores the entry.",
     "`[severity]` `duplicate-stlye = error`; did you mean `duplicate-style`?",
     "Correct the entry as suggested, or remove it.", ""},
    {"bad-suppression", W, "", "a suppression comment names a code that does not exist",
     "A `<!-- vrexctl: ... -->` comment names an unknown code, or says something other than `disable=` or "
     "`disable-file=`.",
     "Nothing: comments are not read. The check ignores the unknown part.",
     "`<!-- vrexctl: disable=not-a-numbr -->`; did you mean `not-a-number`?",
     "Correct the code as suggested.", ""},
    {"unused-suppression", N, "", "a suppression comment suppresses nothing",
     "The comment disables a code that is not found on the element after it (`disable=`) or in its file "
     "(`disable-file=`), often because the mistake was fixed.",
     "Nothing: comments are not read.", "`<!-- vrexctl: disable=not-a-number -->` before a clean element",
     "Remove the comment, or the code from it.", ""},
};

QString stripMarks(QString text)
{
    return text.remove(QLatin1Char('`'));
}

} // namespace

const Rule *rulesBegin() { return std::begin(kRules); }
const Rule *rulesEnd() { return std::end(kRules); }

const Rule *findRule(QStringView code)
{
    for (const Rule &rule : kRules) {
        if (code == QLatin1StringView(rule.code))
            return &rule;
    }
    return nullptr;
}

QStringList ruleCodes()
{
    QStringList codes;
    for (const Rule &rule : kRules)
        codes.append(QLatin1String(rule.code));
    return codes;
}

QString severityText(const Rule &rule)
{
    QString text = severityWord(rule.severity);
    if (*rule.severityNote)
        text += QStringLiteral(" (%1)").arg(QLatin1String(rule.severityNote));
    return text;
}

QString plainText(const char *text)
{
    return stripMarks(QString::fromUtf8(text));
}

QString explainText(const Rule &rule)
{
    QString text = QStringLiteral("%1 (%2): %3\n\n").arg(QLatin1String(rule.code), severityText(rule),
                                                         plainText(rule.summary));
    const std::pair<const char *, const char *> parts[] = {
        {"What it means", rule.meaning}, {"What the library does", rule.library}, {"Example", rule.example},
        {"Fix", rule.fix}, {"check --fix", *rule.autoFix ? rule.autoFix : "changes nothing; fix it by hand"}};
    for (const auto &[title, body] : parts)
        text += QStringLiteral("%1:\n  %2\n").arg(QLatin1String(title), plainText(body));
    return text;
}

QString codesText()
{
    QString text;
    for (const Rule &rule : kRules) {
        text += QStringLiteral("%1  %2\n  %3\n  example: %4\n  fix: %5\n")
                        .arg(QLatin1String(rule.code), severityText(rule), plainText(rule.summary),
                             plainText(rule.example), plainText(rule.fix));
    }
    return text + QStringLiteral("\n'vrexctl explain CODE' tells more about one.\n");
}

QJsonObject ruleJson(const Rule &rule)
{
    return {{QStringLiteral("code"), QLatin1String(rule.code)},
            {QStringLiteral("severity"), severityWord(rule.severity)},
            {QStringLiteral("severity_note"), QString::fromUtf8(rule.severityNote)},
            {QStringLiteral("summary"), QString::fromUtf8(rule.summary)},
            {QStringLiteral("meaning"), QString::fromUtf8(rule.meaning)},
            {QStringLiteral("library"), QString::fromUtf8(rule.library)},
            {QStringLiteral("example"), QString::fromUtf8(rule.example)},
            {QStringLiteral("fix"), QString::fromUtf8(rule.fix)},
            {QStringLiteral("auto_fix"), QString::fromUtf8(rule.autoFix)}};
}

} // namespace vrexctl
