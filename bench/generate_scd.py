#!/usr/bin/env python3
"""Writes a large, schema-valid SCD project for benchmarks.

Every IED has one access point with a server, LDevices with an LLN0 (a dataset, a
report control block and a GOOSE control block) and GGIO logical nodes, and inputs
that subscribe to the GOOSE outputs of the previous IED. Types are shared.

With --connected the dataset members name a data attribute (stVal) and every input is a
binary input whose internal address is in connected form and names the member and the
GOOSE message that its external reference names, as the GOOSE mapping writes them.

With --icd the file is the one a maker delivers for the IED that would follow the last
of such a project: that IED (its inputs subscribe to the project's last IED), its
ConnectedAP and the data type templates. Its orCat_T has one more EnumVal, so that it
and every type that leads to it clash with the project's types of the same ids.

With --instances every data object of every logical node has a DOI that gives a value to
each of its attributes: a DAI with a Val, or an SDI with a DAI per member of a structure.

With --wide N the type of the LN0s has N more data objects, and every LN0 a DOI with a
value for each of them, in the reverse order.

With --fan-out N the file is a small valid project of one IED with N logical nodes whose
type holds a structure of ten structures of ten structures, eight levels deep: 10^8
attributes below each of them. The other options do not apply.

With --edition 2007B or 2007B4 the root declares that edition (version 2007, revision B,
release 4 for 2007B4); the content is the same, valid in every edition.
"""
import argparse
import sys


ROOT_EDITION = {
    "2003": "",
    "2007B": ' version="2007" revision="B"',
    "2007B4": ' version="2007" revision="B" release="4"',
}


def mac_address(index):
    return f"01-0C-CD-01-{index // 256:02X}-{index % 256:02X}"


def app_id(index, ld, args):
    return f"{(index * args.ldevices + ld) % 0x4000:04X}"


# name:MAC:APPID:confRev:member index:GOOSE ID of gcb1 in LD0 of the source IED.
def connected_address(k, member, source, args):
    return f"NI{k}:{mac_address(source)}:{app_id(source, 0, args)}:1:{member}:IED{source:04d}LD0gcb1"


# The data objects of the logical node types and the attributes of the data object types
# that data_type_templates writes, with the value an instance gives each basic type.
LN_TYPES = {"LLN0_T": [("Mod", "INC_T"), ("Beh", "INS_T"), ("Health", "INS_T")],
            "GGIO_T": [("Mod", "INC_T"), ("Ind1", "SPS_T"), ("Ind2", "SPS_T")]}
STATUS = [("q", "Quality"), ("t", "Timestamp")]
DO_TYPES = {"INC_T": [("stVal", "INT32")] + STATUS + [("origin", [("orCat", "Enum"), ("orIdent", "Octet64")])],
            "INS_T": [("stVal", "INT32")] + STATUS,
            "SPS_T": [("stVal", "BOOLEAN")] + STATUS}
VALUES = {"INT32": "1", "BOOLEAN": "false", "Quality": "0000000000000", "Timestamp": "2024-01-01T00:00:00Z",
          "Enum": "bay-control", "Octet64": "bench"}


def attribute_instance(name, b_type):
    if isinstance(b_type, list):
        members = "".join(attribute_instance(member, member_type) for member, member_type in b_type)
        return f'<SDI name="{name}">{members}</SDI>'
    return f'<DAI name="{name}"><Val>{VALUES[b_type]}</Val></DAI>'


def instances(out, ln_type):
    for do_name, do_type in LN_TYPES[ln_type]:
        attributes = "".join(attribute_instance(name, b_type) for name, b_type in DO_TYPES[do_type])
        out.write(f'            <DOI name="{do_name}">{attributes}</DOI>\n')


def ied(out, index, args):
    name = f"IED{index:04d}"
    source = f"IED{(index - 1) % args.ieds:04d}"
    out.write(f'  <IED name="{name}" type="Bench" manufacturer="Bench" configVersion="1.0">\n')
    out.write('    <Services><GOOSE max="8"/></Services>\n')
    out.write('    <AccessPoint name="AP1">\n      <Server>\n        <Authentication/>\n')
    for ld in range(args.ldevices):
        out.write(f'        <LDevice inst="LD{ld}">\n')
        out.write('          <LN0 lnClass="LLN0" inst="" lnType="LLN0_T">\n')
        out.write('            <DataSet name="DS1">\n')
        da = ' daName="stVal"' if args.connected else ''
        for ln in range(1, args.lns + 1):
            out.write(f'              <FCDA ldInst="LD{ld}" prefix="" lnClass="GGIO" lnInst="{ln}" doName="Ind1"{da} fc="ST"/>\n')
        out.write('            </DataSet>\n')
        out.write(f'            <ReportControl name="rcb1" datSet="DS1" rptID="{name}LD{ld}/LLN0.rcb1" confRev="1">\n'
                  '              <TrgOps dchg="true"/>\n              <OptFields seqNum="true"/>\n'
                  '              <RptEnabled max="1"/>\n            </ReportControl>\n')
        if args.instances:
            instances(out, "LLN0_T")
        else:
            out.write('            <DOI name="Mod"><DAI name="stVal"><Val>1</Val></DAI></DOI>\n')
        for k in reversed(range(args.wide)):
            out.write(f'            <DOI name="W{k}"><DAI name="stVal"><Val>true</Val></DAI></DOI>\n')
        if ld == 0 and args.inputs:
            out.write('            <Inputs>\n')
            for k in range(args.inputs):
                ln = k % args.lns + 1
                address = connected_address(k, ln - 1, (index - 1) % args.ieds, args) if args.connected else f"in{k}"
                out.write(f'              <ExtRef iedName="{source}" ldInst="LD0" prefix="" lnClass="GGIO" '
                          f'lnInst="{ln}" doName="Ind1" daName="stVal" intAddr="{address}"/>\n')
            out.write('            </Inputs>\n')
        out.write(f'            <GSEControl name="gcb1" datSet="DS1" appID="{name}LD{ld}gcb1" confRev="1"/>\n')
        out.write('          </LN0>\n')
        for ln in range(1, args.lns + 1):
            out.write(f'          <LN lnClass="GGIO" inst="{ln}" lnType="GGIO_T">\n')
            if args.instances:
                instances(out, "GGIO_T")
            else:
                out.write('            <DOI name="Ind1"><DAI name="stVal"><Val>false</Val></DAI></DOI>\n')
            out.write('          </LN>\n')
        out.write('        </LDevice>\n')
    out.write('      </Server>\n    </AccessPoint>\n  </IED>\n')


def connected_ap(out, index, args):
    name = f"IED{index:04d}"
    out.write(f'      <ConnectedAP iedName="{name}" apName="AP1">\n'
              f'        <Address><P type="IP">10.0.{index // 250}.{index % 250 + 1}</P></Address>\n')
    for ld in range(args.ldevices):
        out.write(f'        <GSE ldInst="LD{ld}" cbName="gcb1"><Address>'
                  f'<P type="MAC-Address">{mac_address(index)}</P>'
                  f'<P type="APPID">{app_id(index, ld, args)}</P></Address></GSE>\n')
    out.write('      </ConnectedAP>\n')


def data_type_templates(out, args):
    extra = '<EnumVal ord="2">station-control</EnumVal>' if args.icd else ''
    wide = "".join(f'<DO name="W{k}" type="SPS_T"/>' for k in range(args.wide))
    out.write('  <DataTypeTemplates>\n'
              '    <LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="INC_T"/>'
              f'<DO name="Beh" type="INS_T"/><DO name="Health" type="INS_T"/>{wide}</LNodeType>\n'
              '    <LNodeType id="GGIO_T" lnClass="GGIO"><DO name="Mod" type="INC_T"/>'
              '<DO name="Ind1" type="SPS_T"/><DO name="Ind2" type="SPS_T"/></LNodeType>\n'
              '    <LNodeType id="UNUSED_T" lnClass="GGIO"><DO name="Ind1" type="SPS_T"/></LNodeType>\n'
              '    <DOType id="INC_T" cdc="INC"><DA name="stVal" fc="ST" bType="INT32" dchg="true"/>'
              '<DA name="q" fc="ST" bType="Quality" qchg="true"/><DA name="t" fc="ST" bType="Timestamp"/>'
              '<DA name="origin" fc="ST" bType="Struct" type="Originator_T"/></DOType>\n'
              '    <DOType id="INS_T" cdc="INS"><DA name="stVal" fc="ST" bType="INT32" dchg="true"/>'
              '<DA name="q" fc="ST" bType="Quality" qchg="true"/><DA name="t" fc="ST" bType="Timestamp"/></DOType>\n'
              '    <DOType id="SPS_T" cdc="SPS"><DA name="stVal" fc="ST" bType="BOOLEAN" dchg="true"/>'
              '<DA name="q" fc="ST" bType="Quality" qchg="true"/><DA name="t" fc="ST" bType="Timestamp"/></DOType>\n'
              '    <DAType id="Originator_T"><BDA name="orCat" bType="Enum" type="orCat_T"/>'
              '<BDA name="orIdent" bType="Octet64"/></DAType>\n'
              '    <EnumType id="orCat_T"><EnumVal ord="0">not-supported</EnumVal>'
              f'<EnumVal ord="1">bay-control</EnumVal>{extra}</EnumType>\n'
              '  </DataTypeTemplates>\n</SCL>\n')


def fan_out(out, lns):
    out.write('<?xml version="1.0" encoding="UTF-8"?>\n<SCL xmlns="http://www.iec.ch/61850/2003/SCL">\n'
              '  <Header id="fan-out"/>\n  <IED name="A"><AccessPoint name="P"><Server><Authentication/>'
              '<LDevice inst="L"><LN0 lnClass="LLN0" inst="" lnType="L0"/>')
    out.write("".join(f'<LN lnClass="GGIO" inst="{ln}" lnType="L"/>' for ln in range(1, lns + 1)))
    out.write('</LDevice></Server></AccessPoint></IED>\n  <DataTypeTemplates>\n'
              '    <LNodeType id="L0" lnClass="LLN0"><DO name="Mod" type="D"/></LNodeType>\n'
              '    <LNodeType id="L" lnClass="GGIO"><DO name="Ind" type="D"/></LNodeType>\n'
              '    <DOType id="D" cdc="SPS"><DA name="a" fc="ST" bType="Struct" type="T0"/></DOType>\n')
    for level in range(8):
        members = "".join(f'<BDA name="m{m}" bType="Struct" type="T{level + 1}"/>' for m in range(10))
        out.write(f'    <DAType id="T{level}">{members}</DAType>\n')
    out.write('    <DAType id="T8"><BDA name="v" bType="BOOLEAN"/></DAType>\n  </DataTypeTemplates>\n</SCL>\n')


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--ieds", type=int, default=200)
    parser.add_argument("--ldevices", type=int, default=2)
    parser.add_argument("--lns", type=int, default=20)
    parser.add_argument("--inputs", type=int, default=50)
    parser.add_argument("--connected", action="store_true",
                        help="stVal members and binary inputs with connected internal addresses")
    parser.add_argument("--icd", action="store_true",
                        help="only the IED that would follow the project's last, as a maker's file")
    parser.add_argument("--instances", action="store_true",
                        help="a DOI for every data object of every logical node, with a value for each attribute")
    parser.add_argument("--wide", type=int, default=0, metavar="N",
                        help="N more data objects in the type of the LN0s, with a value in every LN0")
    parser.add_argument("--fan-out", type=int, default=0, metavar="N",
                        help="only a small project with N logical nodes whose type fans out")
    parser.add_argument("--edition", choices=sorted(ROOT_EDITION), default="2003",
                        help="the edition the root declares")
    parser.add_argument("-o", "--output", required=True)
    args = parser.parse_args()
    if args.fan_out:
        with open(args.output, "w", encoding="utf-8") as out:
            fan_out(out, args.fan_out)
        return 0
    indexes = [args.ieds] if args.icd else range(args.ieds)
    with open(args.output, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  f'<SCL xmlns="http://www.iec.ch/61850/2003/SCL"{ROOT_EDITION[args.edition]}>\n'
                  '  <Header id="bench" version="1" revision="1"/>\n')
        if not args.icd:
            out.write('  <Substation name="S1"><VoltageLevel name="V1"><Bay name="B1"/></VoltageLevel></Substation>\n')
        out.write('  <Communication>\n    <SubNetwork name="N1" type="8-MMS">\n')
        for index in indexes:
            connected_ap(out, index, args)
        out.write('    </SubNetwork>\n  </Communication>\n')
        for index in indexes:
            ied(out, index, args)
        data_type_templates(out, args)
    return 0


if __name__ == "__main__":
    sys.exit(main())
