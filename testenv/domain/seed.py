# Seeds the DC's directory before samba first starts (run with
# /usr/bin/python3, whose path holds Samba's modules).
#   seed.py [--bulk N]
import sys
import ldb
from samba.auth import system_session
from samba.param import LoadParm
from samba.samdb import SamDB
from samba.dsdb import (UF_NORMAL_ACCOUNT, UF_ACCOUNTDISABLE,
                        UF_WORKSTATION_TRUST_ACCOUNT)

# sAMAccountName, full name, description, disabled, password
USERS = [
    ("JSmith", "John Smith", "Accounts payable clerk", False, "Ledger.42x"),
    ("adoe", "Alice Doe", "Head of finance", False, "Balance.77y"),
    ("bkowalski", "Bartosz Kowalski", "Network administrator", False, "Router.19k"),
    ("cnguyen", "Chi Nguyen", "Help desk technician", False, "Ticket.55h"),
    ("dpatel", "Dev Patel", "Sales representative", False, "Quota.31s"),
    ("eolsen", "Erik Olsen", "Left the company in March", True, "Former.08e"),
    ("Zoë Müller", "Zoë Müller", "Marketing lead, Zürich office", False, "Poster.64m"),
    ("björn", "Björn Åström", "Warehouse manager, Göteborg", False, "Forklift.23w"),
    ("svc-backup", None, "Service account for the nightly backup", False, "Tape.Drive.9"),
    ("tlee", "Tina Lee", None, False, "Orbit.12t"),
    ("mgarcia", "María García", "Receptionist", False, "Lobby.47r"),
]
# group, description, members (users or groups)
GROUPS = [
    ("Finance", "Finance department", ["JSmith", "adoe", "Zoë Müller"]),
    ("IT Staff", "Information technology", ["bkowalski", "cnguyen", "svc-backup"]),
    ("Sales", "Sales team", ["dpatel", "eolsen", "Zoë Müller", "björn"]),
    ("All Staff", "Every department", ["Finance", "Sales", "tlee"]),
    ("Project Orion", "Reserved for a future project", []),
]
EXTRA_MEMBERS = [("Domain Admins", ["bkowalski"])]
COMPUTERS = [
    ("WS2", "Reception workstation"),
    ("PRINTSRV", "Print server, second floor"),
]


def utf16pw(pw):
    return ('"%s"' % pw).encode("utf-16-le")


def main():
    bulk = int(sys.argv[2]) if len(sys.argv) > 2 and sys.argv[1] == "--bulk" else 0
    lp = LoadParm()
    lp.load_default()
    db = SamDB(url=lp.private_path("sam.ldb"), session_info=system_session(), lp=lp)
    base = str(db.domain_dn())
    users_dn = "CN=Users," + base
    dn_of = {}

    db.transaction_start()
    try:
        for sam, full, desc, disabled, pw in USERS:
            dn = "CN=%s,%s" % (ldb.binary_encode(sam), users_dn)
            msg = {"dn": dn, "objectClass": "user", "sAMAccountName": sam,
                   "userPrincipalName": "%s@corp.test" % sam,
                   "unicodePwd": utf16pw(pw),
                   "userAccountControl": str(UF_NORMAL_ACCOUNT | (UF_ACCOUNTDISABLE if disabled else 0))}
            if full:
                msg["displayName"] = full
            if desc:
                msg["description"] = desc
            db.add(msg)
            dn_of[sam] = dn
        for name, desc, _ in GROUPS:
            dn = "CN=%s,%s" % (name, users_dn)
            db.add({"dn": dn, "objectClass": "group", "sAMAccountName": name,
                    "description": desc})
            dn_of[name] = dn
        dn_of["Domain Admins"] = "CN=Domain Admins," + users_dn
        for name, members in [(g, m) for g, _, m in GROUPS] + EXTRA_MEMBERS:
            if not members:
                continue
            m = ldb.Message(ldb.Dn(db, dn_of[name]))
            m["member"] = ldb.MessageElement([dn_of[x] for x in members],
                                             ldb.FLAG_MOD_ADD, "member")
            db.modify(m)
        for name, desc in COMPUTERS:
            db.add({"dn": "CN=%s,CN=Computers,%s" % (name, base),
                    "objectClass": "computer", "sAMAccountName": name + "$",
                    "dNSHostName": "%s.corp.test" % name.lower(),
                    "description": desc,
                    "userAccountControl": str(UF_WORKSTATION_TRUST_ACCOUNT)})
        for i in range(1, bulk + 1):
            sam = "bulk%04d" % i
            db.add({"dn": "CN=%s,%s" % (sam, users_dn), "objectClass": "user",
                    "sAMAccountName": sam, "displayName": "Bulk User %04d" % i,
                    "description": "Generated account"})
    except BaseException:
        db.transaction_cancel()
        raise
    db.transaction_commit()


main()
