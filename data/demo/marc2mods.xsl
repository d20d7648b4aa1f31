<?xml version="1.0" encoding="UTF-8"?>
<!-- MARCXML to MODS 3.7, shaped as catalogues send it: a namespaced mods root,
     ISBD punctuation removed. Covers the fields the corpus uses. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:m="http://www.loc.gov/MARC21/slim" xmlns="http://www.loc.gov/mods/v3"
    xmlns:xlink="http://www.w3.org/1999/xlink"
    xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" exclude-result-prefixes="m">
  <xsl:include href="marc-text.xsl"/>
  <xsl:output method="xml" indent="yes" encoding="UTF-8"/>

  <xsl:template match="/m:record">
    <mods version="3.7"
        xsi:schemaLocation="http://www.loc.gov/mods/v3 http://www.loc.gov/standards/mods/v3/mods-3-7.xsd">
      <xsl:apply-templates select="m:datafield[@tag='245']"/>
      <xsl:apply-templates select="m:datafield[@tag='100' or @tag='110' or @tag='700' or @tag='710']"/>
      <typeOfResource>text</typeOfResource>
      <originInfo>
        <xsl:for-each select="m:datafield[(@tag='260' or @tag='264') and m:subfield[@code='b']]">
          <place><placeTerm type="text"><xsl:call-template name="chop">
            <xsl:with-param name="text" select="m:subfield[@code='a']"/></xsl:call-template></placeTerm></place>
          <publisher><xsl:call-template name="chop">
            <xsl:with-param name="text" select="m:subfield[@code='b']"/></xsl:call-template></publisher>
          <dateIssued><xsl:call-template name="chop">
            <xsl:with-param name="text" select="m:subfield[@code='c']"/></xsl:call-template></dateIssued>
        </xsl:for-each>
        <dateIssued encoding="marc">
          <xsl:value-of select="substring(m:controlfield[@tag='008'], 8, 4)"/>
        </dateIssued>
        <xsl:for-each select="m:datafield[@tag='250']">
          <edition><xsl:value-of select="m:subfield[@code='a']"/></edition>
        </xsl:for-each>
        <issuance>monographic</issuance>
      </originInfo>
      <language>
        <languageTerm authority="iso639-2b" type="code">
          <xsl:value-of select="substring(m:controlfield[@tag='008'], 36, 3)"/>
        </languageTerm>
      </language>
      <xsl:for-each select="m:datafield[@tag='300']">
        <physicalDescription>
          <extent><xsl:call-template name="subfields">
            <xsl:with-param name="codes" select="'abc'"/></xsl:call-template></extent>
        </physicalDescription>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='520']">
        <abstract><xsl:value-of select="m:subfield[@code='a']"/></abstract>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='500' or @tag='504']">
        <note><xsl:value-of select="m:subfield[@code='a']"/></note>
      </xsl:for-each>
      <xsl:apply-templates select="m:datafield[@tag='650']"/>
      <xsl:for-each select="m:datafield[@tag='020']">
        <identifier type="isbn"><xsl:value-of select="m:subfield[@code='a']"/></identifier>
      </xsl:for-each>
      <recordInfo>
        <recordContentSource authority="marcorg">
          <xsl:value-of select="m:controlfield[@tag='003']"/>
        </recordContentSource>
        <recordIdentifier><xsl:value-of select="m:controlfield[@tag='001']"/></recordIdentifier>
      </recordInfo>
    </mods>
  </xsl:template>

  <xsl:template match="m:datafield[@tag='245']">
    <xsl:variable name="skip" select="number(concat('0', translate(@ind2, ' ', '')))"/>
    <xsl:variable name="a" select="m:subfield[@code='a']"/>
    <titleInfo>
      <xsl:if test="$skip &gt; 0">
        <nonSort><xsl:value-of select="substring($a, 1, $skip)"/></nonSort>
      </xsl:if>
      <title><xsl:call-template name="chop">
        <xsl:with-param name="text" select="substring($a, $skip + 1)"/></xsl:call-template></title>
      <xsl:if test="m:subfield[@code='b']">
        <subTitle><xsl:call-template name="chop">
          <xsl:with-param name="text" select="m:subfield[@code='b']"/></xsl:call-template></subTitle>
      </xsl:if>
    </titleInfo>
  </xsl:template>

  <xsl:template match="m:datafield[@tag='100' or @tag='110' or @tag='700' or @tag='710']">
    <name type="{substring('personalcorporate', 1 + 8 * number(substring(@tag, 2, 1) = '1'),
                 8 + 1 * number(substring(@tag, 2, 1) = '1'))}">
      <xsl:if test="starts-with(@tag, '1')"><xsl:attribute name="usage">primary</xsl:attribute></xsl:if>
      <namePart><xsl:call-template name="chop">
        <xsl:with-param name="text" select="m:subfield[@code='a']"/></xsl:call-template></namePart>
      <xsl:if test="m:subfield[@code='d']">
        <namePart type="date"><xsl:call-template name="chop">
          <xsl:with-param name="text" select="m:subfield[@code='d']"/></xsl:call-template></namePart>
      </xsl:if>
      <role>
        <roleTerm authority="marcrelator" type="text">
          <xsl:choose>
            <xsl:when test="m:subfield[@code='e']"><xsl:call-template name="chop">
              <xsl:with-param name="text" select="m:subfield[@code='e']"/></xsl:call-template></xsl:when>
            <xsl:when test="starts-with(@tag, '1')">creator</xsl:when>
            <xsl:otherwise>contributor</xsl:otherwise>
          </xsl:choose>
        </roleTerm>
      </role>
    </name>
  </xsl:template>

  <xsl:template match="m:datafield[@tag='650']">
    <subject authority="lcsh">
      <xsl:for-each select="m:subfield">
        <xsl:variable name="text">
          <xsl:call-template name="chop"><xsl:with-param name="text" select="."/></xsl:call-template>
        </xsl:variable>
        <xsl:choose>
          <xsl:when test="@code = 'z'"><geographic><xsl:value-of select="$text"/></geographic></xsl:when>
          <xsl:when test="@code = 'v'"><genre><xsl:value-of select="$text"/></genre></xsl:when>
          <xsl:otherwise><topic><xsl:value-of select="$text"/></topic></xsl:otherwise>
        </xsl:choose>
      </xsl:for-each>
    </subject>
  </xsl:template>
</xsl:stylesheet>
