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
"""
import argparse
import sys


def mac_address(index):
    return f"01-0C-CD-01-{index // 256:02X}-{index % 256:02X}"


def app_id(index, ld, args):
    return f"{(index * args.ldevices + ld) % 0x4000:04X}"


# name:MAC:APPID:confRev:member index:GOOSE ID of gcb1 in LD0 of the source IED.
def connected_address(k, member, source, args):
    return f"NI{k}:{mac_address(source)}:{app_id(source, 0, args)}:1:{member}:IED{source:04d}LD0gcb1"


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
        out.write('            <ReportControl name="rcb1" datSet="DS1" rptID="" confRev="1">\n'
                  '              <TrgOps dchg="true"/>\n              <OptFields seqNum="true"/>\n'
                  '              <RptEnabled max="1"/>\n            </ReportControl>\n')
        out.write('            <DOI name="Mod"><DAI name="stVal"><Val>1</Val></DAI></DOI>\n')
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
            out.write(f'          <LN lnClass="GGIO" inst="{ln}" lnType="GGIO_T">\n'
                      f'            <DOI name="Ind1"><DAI name="stVal"><Val>false</Val></DAI></DOI>\n'
                      '          </LN>\n')
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
    out.write('  <DataTypeTemplates>\n'
              '    <LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="INC_T"/>'
              '<DO name="Beh" type="INS_T"/><DO name="Health" type="INS_T"/></LNodeType>\n'
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
    parser.add_argument("-o", "--output", required=True)
    args = parser.parse_args()
    indexes = [args.ieds] if args.icd else range(args.ieds)
    with open(args.output, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<SCL xmlns="http://www.iec.ch/61850/2003/SCL">\n'
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
